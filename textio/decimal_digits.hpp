#pragma once

// The leading decimal digits of a REAL's exact value. A REAL is a binary
// fraction, so its decimal expansion is finite; the digits here are that
// expansion cut off, never rounded.

#include <cstdint>

namespace textio {

// The value is 0.D1D2D3... x 10^exponent with D1 not 0; `digits` holds
// D1 to D18 as one integer, 10^17 <= digits < 10^18, positions past the
// end of the expansion being 0.
struct LeadingDigits {
    static constexpr int count = 18;
    std::uint64_t digits = 0;
    int exponent = 0;
};

// For a finite, nonzero REAL; the sign is ignored. Integer arithmetic
// only, so the run's armed traps have nothing to catch.
LeadingDigits leading_digits(float value);

}  // namespace textio
