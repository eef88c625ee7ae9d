#pragma once

// The text of a REAL value in a list-directed record: a fixed form with
// six decimals from 1 up to ten million, an exponent form with one digit
// before the point otherwise, never more than seven significant digits.

#include <cstddef>
#include <string_view>

namespace textio {

// The longest text of a REAL: a minus sign, seven digits, the point and
// six decimals.
inline constexpr std::size_t real_text_max = 15;

struct RealText {
    // Room past the longest text, so that the digits can be copied in
    // whole words, and even a carry into an eighth integer digit, which no
    // REAL value reaches, stays in bounds.
    char chars[real_text_max + 9];
    std::size_t size = 0;

    std::string_view view() const& { return {chars, size}; }
    // A view of a temporary would outlive its characters.
    std::string_view view() const&& = delete;
};

// The text of a finite REAL, without blanks around it. Infinities and NaNs
// never reach a record (the traps stop the run first); they get a plain
// word rather than a failure.
RealText real_text(float value);

}  // namespace textio
