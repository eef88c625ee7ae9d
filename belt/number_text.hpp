#pragma once

// The text of a table entry: nine significant digits, enough for the
// program's reader (decimal to double to REAL) to get the same REAL back,
// for every REAL.

#include <string>

namespace fcbelt {

inline constexpr int significant_digits = 9;

// An optional minus sign, digits with a decimal point and, for very small
// or very large magnitudes only, an exponent E+dd or E-dd.
std::string number_text(float value);

// The REAL the program's own reader makes of a number text. Text it
// cannot read ends the run with the program's stop report.
float read_number(const std::string& text);

}  // namespace fcbelt
