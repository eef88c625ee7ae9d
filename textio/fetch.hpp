#pragma once

// The ways an input unit refills what it may deliver, one for each kind of
// source. Each leaves at least one character deliverable or stops.

#include <cstddef>

#include "textio/input_unit.hpp"

namespace textio {

// The table file: blocks of up to capacity bytes, taken as they come.
void fetch_file_block(InputUnit& unit);

// The console on a terminal: one typed line per request.
void fetch_typed_line(InputUnit& unit);

// The console redirected from a file or a pipe: the next line, whole when
// it is no longer than a typed line, else the part that has come.
void fetch_console_line(InputUnit& unit);

// Makes the buffer hold at least size bytes; no memory stops the run.
void ensure_room(InputUnit& unit, std::size_t size);

// The mark is never cleared: the stop follows at once.
[[noreturn]] void end_of_input(InputUnit& unit);

// Where the text of a line ends: before its CR LF or LF, or at its end
// when it has no LF.
inline std::size_t text_end(const char* line, std::size_t size, bool has_lf) {
    if (!has_lf) return size;
    return size >= 2 && line[size - 2] == '\r' ? size - 2 : size - 1;
}

}  // namespace textio
