#pragma once

// Input units that hold query lines already fetched, so that a benchmark
// scans them again and again without a read request: the requests are
// what the floor program counts, the scanning is what is measured here.

#include <string>

#include "textio/input_unit.hpp"

namespace bench {

// A unit over /dev/null whose buffer holds text; a fetch beyond the text
// would meet end of file and stop the benchmark loudly.
textio::InputUnit unit_holding(const std::string& text, bool console);

// Delivers the held lines again from the first.
inline void rewind(textio::InputUnit& unit) { unit.position = unit.end = 0; }

}  // namespace bench
