#include "textio/fd_read.hpp"
#include "textio/fetch.hpp"

namespace textio {

void fetch_file_block(InputUnit& unit) {
    char* bytes = unit.buffer.data();
    const std::size_t n = read_request(unit.fd, bytes, unit.capacity);
    if (n == 0) {
        if (!unit.record_open) end_of_input(unit);
        // The input ended inside a record: it counts whole, as if an LF
        // followed, and the next character wanted meets the end.
        unit.at_end_of_file = true;
        bytes[0] = '\n';
        unit.position = 0;
        unit.end = unit.held = 1;
        unit.record_open = false;
        return;
    }
    unit.position = 0;
    unit.end = unit.held = n;
    unit.record_open = bytes[n - 1] != '\n';
}

}  // namespace textio
