#include "textio/console_line.hpp"

#include "textio/console_write.hpp"
#include "textio/run_state.hpp"

namespace textio {

void console_read_start() {
    ConsoleLine& line = run_state().line;
    if (line.open && !line.dollar_hold) write_line_break();
    line.dollar_hold = false;
}

void console_read_finish() { run_state().line.open = false; }

void complete_line() {
    ConsoleLine& line = run_state().line;
    if (!line.open) return;
    write_line_break();
    line.open = false;
}

}  // namespace textio
