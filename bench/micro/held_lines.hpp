#pragma once

// Input units that hold query lines already fetched, so that a benchmark
// scans them again and again without a read request: the requests are
// what the floor program counts, the scanning is what is measured here.

#include <cstddef>
#include <string>

#include "textio/input_unit.hpp"

namespace bench {

// count query lines "x sigma(x)" in the number forms users type: plain
// decimals, a comma between the values, exponent forms, leading blanks,
// and ratios x / sigma(x) across the belt.
std::string query_lines(std::size_t count);

// A unit over /dev/null whose buffer holds text; a fetch beyond the text
// would meet end of file and stop the benchmark loudly.
textio::InputUnit unit_holding(const std::string& text, bool console);

// Delivers the held lines again from the first.
inline void rewind(textio::InputUnit& unit) { unit.position = unit.end = 0; }

}  // namespace bench
