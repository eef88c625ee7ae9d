#pragma once

// The text of a plain list-directed value made into a REAL.

#include <cstddef>

namespace textio {

// Converts text to the nearest double and that to the nearest REAL (ties
// to even); a minus sign gives a negative result also for zero, and a
// number too small for a REAL becomes a subnormal or zero. Stops with
// invalid REAL value (not a number), REAL conversion overflow (too large
// for a double) or REAL out of range (too large for a REAL).
float real_from_text(const char* text, std::size_t size);

}  // namespace textio
