#include "textio/decimal_digits.hpp"

#include <charconv>
#include <cmath>

namespace textio {

namespace {

// A REAL's expansion has at most 112 significant digits (a subnormal just
// below the smallest normal value). Asked for that many, the standard
// conversion has nothing left to round and gives the digits exactly; it
// works on integers, so the run's armed traps have nothing to catch.
constexpr int exact_precision = 112;

// Room for "d." + 112 digits + "e-NNN".
constexpr int scientific_size = 2 + exact_precision + 5;

int parse_exponent(const char* first, const char* last) {
    const bool negative = *first == '-';
    int exponent = 0;
    for (const char* p = first + 1; p != last; ++p) exponent = exponent * 10 + (*p - '0');
    return negative ? -exponent : exponent;
}

}  // namespace

LeadingDigits leading_digits(float value) {
    char text[scientific_size];
    const char* end = std::to_chars(text, text + scientific_size, std::fabs(double(value)),
                                    std::chars_format::scientific, exact_precision)
                          .ptr;

    // "d.ddd...e+NN": the first digit, the point, the rest.
    LeadingDigits lead;
    lead.digits[0] = static_cast<std::uint8_t>(text[0] - '0');
    for (int i = 1; i < LeadingDigits::count; ++i)
        lead.digits[i] = static_cast<std::uint8_t>(text[i + 1] - '0');
    const char* exponent = text + 2 + exact_precision;
    lead.exponent = parse_exponent(exponent + 1, end) + 1;
    return lead;
}

}  // namespace textio
