#pragma once

// The REAL text as norvex made it before its integer digit routine: the
// exact decimal digits from the standard library's std::to_chars, asked
// for all 112 digits a REAL can have. Kept as the yardstick the integer
// routine is checked against, value by value.

#include <string>

namespace bench {

std::string to_chars_real_text(float value);

}  // namespace bench
