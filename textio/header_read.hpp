#pragma once

// The formatted read "(A72)": one record into a 72-character variable.

#include <cstddef>

#include "textio/input_unit.hpp"

namespace textio {

inline constexpr std::size_t header_width = 72;

// Takes up to 72 characters of the next record as they are (a tab stays a
// tab), fills the rest of line with blanks, and finishes the record.
// Stops with end of file when there is no record.
void read_a72(InputUnit& unit, char (&line)[header_width]);

}  // namespace textio
