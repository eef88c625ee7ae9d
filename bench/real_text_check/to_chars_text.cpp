#include "bench/real_text_check/to_chars_text.hpp"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace bench {

namespace {

constexpr int exact_precision = 112;   // no REAL has more significant digits
constexpr int form_digits = 17;
constexpr int shown_digits = 7;
constexpr int decimals = 6;
constexpr int fixed_form_last = 7;

struct LeadingDigits {
    static constexpr int count = 18;
    std::array<std::uint8_t, count> digits{};
    int exponent = 0;   // value = 0.D1D2... x 10^exponent
};

LeadingDigits leading_digits(float value) {
    char text[2 + exact_precision + 5];
    const char* end = std::to_chars(text, text + sizeof text, std::fabs(double(value)),
                                    std::chars_format::scientific, exact_precision)
                          .ptr;
    LeadingDigits lead;
    lead.digits[0] = static_cast<std::uint8_t>(text[0] - '0');
    for (int i = 1; i < LeadingDigits::count; ++i)
        lead.digits[i] = static_cast<std::uint8_t>(text[i + 1] - '0');
    const char* exponent = text + 2 + exact_precision + 1;   // past the 'e'
    int e = 0;
    for (const char* p = exponent + 1; p != end; ++p) e = e * 10 + (*p - '0');
    lead.exponent = (*exponent == '-' ? -e : e) + 1;
    return lead;
}

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

std::string digits(const LeadingDigits& lead, int first, int count) {
    std::string s;
    for (int i = first; i < first + count; ++i) s += static_cast<char>('0' + lead.digits[i]);
    return s;
}

}  // namespace

std::string to_chars_real_text(float value) {
    const std::uint32_t bits = std::bit_cast<std::uint32_t>(value);
    if ((bits & 0x7fff'ffffu) == 0) return "0.000000E+00";
    LeadingDigits lead = leading_digits(value);
    round_half_up(lead, form_digits);
    const bool fixed = lead.exponent >= 1 && lead.exponent <= fixed_form_last;
    round_half_up(lead, shown_digits);

    std::string text = (bits >> 31) != 0 ? "-" : "";
    const int integer_digits = fixed ? lead.exponent : 1;
    text += digits(lead, 0, integer_digits) + "." + digits(lead, integer_digits, decimals);
    if (!fixed) {
        const int x = lead.exponent - 1;
        const int magnitude = x < 0 ? -x : x;
        text += x < 0 ? "E-" : "E+";
        text += static_cast<char>('0' + magnitude / 10);
        text += static_cast<char>('0' + magnitude % 10);
    }
    return text;
}

}  // namespace bench
