#pragma once

// The leading decimal digits of a REAL's exact value. A REAL is a binary
// fraction, so its decimal expansion is finite; the digits here are that
// expansion cut off, never rounded.

#include <array>
#include <cstdint>

namespace textio {

// The first 18 significant digits of a value 0.D1D2D3... x 10^exponent,
// D1 not 0; positions past the end of the expansion hold 0.
struct LeadingDigits {
    static constexpr int count = 18;
    std::array<std::uint8_t, count> digits{};
    int exponent = 0;
};

// For a finite, nonzero REAL; the sign is ignored.
LeadingDigits leading_digits(float value);

}  // namespace textio
