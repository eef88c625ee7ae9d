#include "textio/fd_read.hpp"
#include "textio/fetch.hpp"
#include "textio/stop.hpp"

namespace textio {

// Linux hands over a typed line with a lone LF; a line typed with CR LF
// is accepted as well. Either way the line may hold up to 130 characters
// before its end, and one that fills the whole request without its LF is
// longer still.
void fetch_typed_line(InputUnit& unit) {
    char* line = unit.buffer.data();
    std::size_t n = read_request(unit.fd, line, unit.capacity);
    if (n == 0) end_of_input(unit);
    const bool has_lf = line[n - 1] == '\n';
    if (!has_lf && n == unit.capacity) io_stop(IoStop::console_line_too_long);
    const std::size_t text = text_end(line, n, has_lf);
    if (text > longest_typed_line) io_stop(IoStop::console_line_too_long);
    if (text > 0 && line[text - 1] == ctrl_z) end_of_input(unit);
    // A line sent without Enter (Ctrl+D after text) still ends there.
    if (!has_lf) line[n++] = '\n';
    unit.position = 0;
    unit.end = unit.held = n;
}

}  // namespace textio
