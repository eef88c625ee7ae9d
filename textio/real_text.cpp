#include "textio/real_text.hpp"

#include <bit>
#include <cstdint>

#include "textio/decimal_digits.hpp"

namespace textio {

namespace {

constexpr int form_digits = 17;    // significant digits of the decimal form
constexpr int shown_digits = 7;    // significant digits ever written
constexpr int decimals = 6;        // digits after the point, in both forms
constexpr int fixed_form_last = 7; // decimal exponents 1..7 are written in fixed form

constexpr std::uint32_t sign_bit = 0x8000'0000u;
constexpr std::uint32_t exponent_bits = 0x7f80'0000u;

// Keeps the first `keep` digits, rounding half up on the next digit alone
// and clearing the rest. A carry through the first digit leaves 1 0 0 ...
// one decimal place higher.
void round_half_up(LeadingDigits& lead, int keep) {
    const bool up = lead.digits[keep] >= 5;
    for (int i = keep; i < LeadingDigits::count; ++i) lead.digits[i] = 0;
    if (!up) return;
    for (int i = keep - 1; i >= 0; --i) {
        if (lead.digits[i] < 9) {
            ++lead.digits[i];
            return;
        }
        lead.digits[i] = 0;
    }
    lead.digits[0] = 1;
    ++lead.exponent;
}

struct TextBuilder {
    RealText text;

    void put(char c) { text.chars[text.size++] = c; }
    void put(const char* s) {
        while (*s != '\0') put(*s++);
    }
    void put_digits(const LeadingDigits& lead, int first, int count) {
        for (int i = first; i < first + count; ++i) put(static_cast<char>('0' + lead.digits[i]));
    }
    void put_exponent(int exponent) {
        put('E');
        put(exponent < 0 ? '-' : '+');
        const int magnitude = exponent < 0 ? -exponent : exponent;
        put(static_cast<char>('0' + magnitude / 10));
        put(static_cast<char>('0' + magnitude % 10));
    }
};

RealText non_finite_text(std::uint32_t bits) {
    TextBuilder b;
    if ((bits & ~(sign_bit | exponent_bits)) != 0) {
        b.put("NaN");
    } else {
        if ((bits & sign_bit) != 0) b.put('-');
        b.put("Infinity");
    }
    return b.text;
}

RealText zero_text() {
    TextBuilder b;
    b.put("0.000000E+00");
    return b.text;
}

// The integer digits come from the value's own leading digits, the rest
// of the fourteen from the zeros past the seventh.
RealText finite_text(float value, bool negative) {
    LeadingDigits lead = leading_digits(value);
    round_half_up(lead, form_digits);
    const bool fixed = lead.exponent >= 1 && lead.exponent <= fixed_form_last;
    round_half_up(lead, shown_digits);

    TextBuilder b;
    if (negative) b.put('-');
    const int integer_digits = fixed ? lead.exponent : 1;
    b.put_digits(lead, 0, integer_digits);
    b.put('.');
    b.put_digits(lead, integer_digits, decimals);
    if (!fixed) b.put_exponent(lead.exponent - 1);
    return b.text;
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
