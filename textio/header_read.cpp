#include "textio/header_read.hpp"

#include <cstring>

#include "textio/run_state.hpp"

namespace textio {

void read_a72(InputUnit& unit, char (&line)[header_width]) {
    start_read_statement(unit);
    std::size_t filled = 0;
    while (filled < header_width) {
        const char c = next_char(unit);
        if (c == '\r' || c == '\n') {
            put_back(unit);
            break;
        }
        line[filled++] = c;
    }
    std::memset(line + filled, ' ', header_width - filled);
    finish_record(unit);
    end_statement();
}

}  // namespace textio
