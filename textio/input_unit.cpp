#include "textio/input_unit.hpp"

#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "textio/console_line.hpp"
#include "textio/fetch.hpp"
#include "textio/run_state.hpp"
#include "textio/stop.hpp"

namespace textio {

namespace {

bool in_shared_console(const InputUnit& unit) {
    return unit.console && run_state().mode == ConsoleMode::shared;
}

}  // namespace

void ensure_room(InputUnit& unit, std::size_t size) {
    if (unit.buffer.size() >= size) return;
    allocate_or_stop([&] { unit.buffer.resize(std::max(size, 2 * unit.buffer.size())); });
}

void end_of_input(InputUnit& unit) {
    unit.at_end_of_file = true;
    io_stop(IoStop::end_of_file);
}

InputUnit make_input_unit(int fd, const char* name, std::size_t capacity, bool console,
                          bool terminal) {
    InputUnit unit;
    unit.fd = fd;
    unit.name = name;
    unit.capacity = capacity;
    unit.console = console;
    unit.terminal = console && terminal;
    // One byte beyond a block for the LF that completes a last line.
    ensure_room(unit, capacity + 1);
    return unit;
}

InputUnit& console_unit() {
    static InputUnit unit = make_input_unit(STDIN_FILENO, console_name, console_block, true,
                                            run_state().stdin_terminal);
    return unit;
}

void start_read_statement(InputUnit& unit) {
    begin_statement(StatementWord::read, unit.name);
    if (!in_shared_console(unit)) return;
    console_read_start();
    unit.position = unit.end = unit.held = 0;
}

void fetch(InputUnit& unit) {
    if (unit.at_end_of_file) end_of_input(unit);
    if (unit.terminal) {
        fetch_typed_line(unit);
    } else if (unit.console) {
        fetch_console_line(unit);
    } else {
        fetch_file_block(unit);
    }
}

void finish_record(InputUnit& unit) {
    if (unit.terminal) {
        // The rest of the typed line goes; the next character comes from
        // the next line the user types.
        unit.position = unit.end = unit.held = 0;
    } else {
        for (;;) {
            const char* from = unit.buffer.data() + unit.position;
            const void* lf = std::memchr(from, '\n', unit.end - unit.position);
            if (lf != nullptr) {
                unit.position += static_cast<std::size_t>(static_cast<const char*>(lf) - from) + 1;
                break;
            }
            unit.position = unit.end;
            fetch(unit);
        }
    }
    if (in_shared_console(unit)) console_read_finish();
}

}  // namespace textio
