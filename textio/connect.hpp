#pragma once

// The connection of unit 10 to the table file: status OLD, so the file
// must exist and is never created.

#include <string_view>

#include "textio/input_unit.hpp"

namespace textio {

// Opens the file named file_name (without its leading and trailing
// blanks, which name the unit) read-write, else read-only, else
// write-only, and sets up unit 10 over it with 1024-byte read blocks.
// Stops when none of the three is granted, the cause of the last refusal
// choosing the stop.
InputUnit& connect_table(std::string_view file_name);

}  // namespace textio
