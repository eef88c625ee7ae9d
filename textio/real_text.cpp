#include "textio/real_text.hpp"

#include <bit>
#include <cstdint>
#include <cstring>

#include "textio/decimal_digits.hpp"

namespace textio {

namespace {

constexpr int shown_digits = 7;    // significant digits ever written
constexpr int decimals = 6;        // digits after the point, in both forms
constexpr int fixed_form_last = 7; // decimal exponents 1..7 are written in fixed form

constexpr std::uint32_t sign_bit = 0x8000'0000u;
constexpr std::uint32_t exponent_bits = 0x7f80'0000u;

constexpr std::uint64_t ten_to_the_7 = 10'000'000;
constexpr std::uint64_t ten_to_the_9 = 1'000'000'000;
constexpr std::uint64_t ten_to_the_16 = 10'000'000'000'000'000;

// Significant digits as one integer and the decimal exponent P of
// 0.D1D2... x 10^P.
struct Decimal {
    std::uint64_t digits;
    int exponent;
};

// Rounds half up on the digit after the last kept one, which is `next`;
// a carry through every kept digit leaves 1 0 0 ... one place higher.
Decimal round_half_up(std::uint64_t kept, std::uint64_t next, std::uint64_t all_kept_nines_plus_one,
                      int exponent) {
    if (next >= 5) ++kept;
    if (kept == all_kept_nines_plus_one) return {all_kept_nines_plus_one / 10, exponent + 1};
    return {kept, exponent};
}

// "00" to "99", so that two digits are placed at a time.
constexpr char digit_pairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

void put_pair(char* out, unsigned pair) { std::memcpy(out, digit_pairs + 2 * pair, 2); }

// The seven shown digits, then nine zeros: as many as the fixed form can
// take, and room to copy them eight at a time.
constexpr int digit_room = 16;

void put_shown_digits(char* out, std::uint32_t seven) {
    out[0] = static_cast<char>('0' + seven / 1'000'000);
    seven %= 1'000'000;
    put_pair(out + 1, seven / 10'000);
    put_pair(out + 3, seven / 100 % 100);
    put_pair(out + 5, seven % 100);
    std::memset(out + shown_digits, '0', digit_room - shown_digits);
}

RealText non_finite_text(std::uint32_t bits) {
    RealText text;
    const char* word = (bits & ~(sign_bit | exponent_bits)) != 0 ? "NaN"
                       : (bits & sign_bit) != 0                  ? "-Infinity"
                                                                 : "Infinity";
    text.size = std::strlen(word);
    std::memcpy(text.chars, word, text.size);
    return text;
}

RealText zero_text() {
    RealText text;
    text.size = 12;
    std::memcpy(text.chars, "0.000000E+00", text.size);
    return text;
}

// The 17-digit form decides fixed or exponent form; its 8th digit rounds
// the seven shown. The integer digits come from the value's own leading
// digits, the rest of the fourteen from the zeros past the seventh.
RealText finite_text(float value, bool negative) {
    const LeadingDigits lead = leading_digits(value);
    const Decimal form = round_half_up(lead.digits / 10, lead.digits % 10, 10 * ten_to_the_16,
                                       lead.exponent);
    const bool fixed = form.exponent >= 1 && form.exponent <= fixed_form_last;
    const Decimal shown = round_half_up(form.digits / (10 * ten_to_the_9),
                                        form.digits / ten_to_the_9 % 10, ten_to_the_7, form.exponent);

    char digits[digit_room];
    put_shown_digits(digits, static_cast<std::uint32_t>(shown.digits));

    // Whole words of digits are copied and the point and exponent written
    // over what lies past their place.
    RealText text;
    char* out = text.chars;
    if (negative) *out++ = '-';
    if (fixed) {
        const int integer_digits = shown.exponent;   // 1 to 7, 8 after a carry
        std::memcpy(out, digits, 8);
        out[integer_digits] = '.';
        std::memcpy(out + integer_digits + 1, digits + integer_digits, 8);
        out += integer_digits + 1 + decimals;
    } else {
        const int x = shown.exponent - 1;
        out[0] = digits[0];
        out[1] = '.';
        std::memcpy(out + 2, digits + 1, 8);
        out[2 + decimals] = 'E';
        out[3 + decimals] = x < 0 ? '-' : '+';
        put_pair(out + 4 + decimals, static_cast<unsigned>(x < 0 ? -x : x));
        out += 6 + decimals;
    }
    text.size = static_cast<std::size_t>(out - text.chars);
    return text;
}

}  // namespace

RealText real_text(float value) {
    const std::uint32_t bits = std::bit_cast<std::uint32_t>(value);
    if ((bits & exponent_bits) == exponent_bits) return non_finite_text(bits);
    if ((bits & ~sign_bit) == 0) return zero_text();
    // No floating-point arithmetic on the way to the text, so the run's
    // armed traps have nothing to catch here.
    return finite_text(value, (bits & sign_bit) != 0);
}

}  // namespace textio
