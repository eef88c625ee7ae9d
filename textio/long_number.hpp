#pragma once

// A list-directed value far longer than any record holds (possible only in
// a file or a pipe) is kept condensed, so that memory does not grow with
// the length of a value. The condensed text reads exactly as the whole one
// would: as a REAL, the same value or the same stop; as a repeat count,
// the same count or the same stop.
//
// While the text can still be a number, it is kept as its sign, its first
// significant digits, one digit standing for all the digits after them
// (1 when any of them is not zero), and the power of ten they stand for:
// "<sign><digits>" while only integer digits have come, and
// "<sign><digits>.E<power>" from the point or the exponent on. The nearest
// double of a decimal number depends on no more than its first 767
// significant digits and whether anything but zeros follows; a repeat
// count of more than ten digits is too large however many follow.

#include <cstddef>
#include <cstdint>

namespace textio {

class LongNumber {
public:
    static constexpr std::size_t kept_digits = 800;
    static constexpr std::size_t text_room = kept_digits + 32;  // the longest condensed text

    enum class Step { dead, same, changed };

    // Starts over with text; false when it cannot begin a number.
    bool start(const char* text, std::size_t size);

    // Takes the next character: dead when the text can no longer be a
    // number (the character is then not taken), changed when the
    // condensed text differs from before.
    Step take(char c);

    // Writes the condensed text (at most text_room bytes); returns its size.
    std::size_t write(char* out) const;

private:
    enum class Part { integer, fraction, exponent_start, exponent_signed, exponent_digits };

    Step take_mantissa_digit(char digit);
    Step take_exponent_digit(char digit);
    Step take_exponent_sign(char sign);

    Part part_ = Part::integer;
    char sign_ = '\0';
    bool begun_ = false;
    bool mantissa_digit_ = false;    // the mantissa has a digit, zero or not
    char digits_[kept_digits];       // its significant digits, the first of them not zero
    std::size_t kept_ = 0;
    bool dropped_ = false;           // digits came after the kept ones
    bool dropped_non_zero_ = false;
    std::int64_t scale_ = 0;         // the power of ten of the last digit shown
    bool exponent_negative_ = false;
    std::int64_t exponent_ = 0;      // saturates far beyond every range
};

}  // namespace textio
