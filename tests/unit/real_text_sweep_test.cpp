// REAL text against a slow reference built here from the value's bits: the
// exact decimal expansion by schoolbook arithmetic on a digit array, then
// the two half-up roundings written out on a string of digits.

#include "textio/real_text.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

// An exact nonnegative decimal: the integer `digits` (least significant
// first) divided by 10^scale.
struct BigDecimal {
    std::vector<int> digits;
    int scale = 0;

    // Multiplies by a small factor; factor * 9 + carry stays far inside 64 bits.
    void multiply(std::uint64_t factor) {
        std::uint64_t carry = 0;
        for (int& d : digits) {
            const std::uint64_t t = static_cast<std::uint64_t>(d) * factor + carry;
            d = static_cast<int>(t % 10);
            carry = t / 10;
        }
        for (; carry > 0; carry /= 10) digits.push_back(static_cast<int>(carry % 10));
    }

    void multiply_by_power_of_two(int count) {
        for (; count > 0; count -= 30) multiply(std::uint64_t{1} << std::min(count, 30));
    }

    // Halving is multiplying by 5 with one more decimal place.
    void divide_by_power_of_two(int count) {
        for (; count > 0; count -= 20) {
            const int step = std::min(count, 20);
            std::uint64_t five_power = 1;
            for (int i = 0; i < step; ++i) five_power *= 5;
            multiply(five_power);
            scale += step;
        }
    }
};

struct Reference {
    bool negative = false;
    std::string digits;   // significant digits, the first not 0
    int exponent = 0;     // value = 0.digits x 10^exponent
};

Reference exact_expansion(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    const int biased = static_cast<int>(bits >> 23 & 0xff);
    std::uint32_t mantissa = bits & 0x7fffff;
    int power = biased == 0 ? -149 : biased - 150;
    if (biased != 0) mantissa |= 0x800000;

    BigDecimal big;
    for (std::uint32_t m = mantissa; m > 0; m /= 10) big.digits.push_back(static_cast<int>(m % 10));
    if (power > 0) big.multiply_by_power_of_two(power);
    if (power < 0) big.divide_by_power_of_two(-power);

    Reference r;
    r.negative = (bits >> 31) != 0;
    for (auto it = big.digits.rbegin(); it != big.digits.rend(); ++it) r.digits += char('0' + *it);
    r.exponent = static_cast<int>(big.digits.size()) - big.scale;
    return r;
}

// Cuts to `keep` digits, rounding half up on the next one; a carry through
// the whole string gives "1" and a higher exponent.
void round_to(Reference& r, std::size_t keep) {
    while (r.digits.size() <= keep) r.digits += '0';
    const bool up = r.digits[keep] >= '5';
    r.digits.resize(keep);
    if (!up) return;
    std::size_t i = keep;
    while (i > 0 && r.digits[i - 1] == '9') r.digits[--i] = '0';
    if (i == 0) {
        r.digits.insert(r.digits.begin(), '1');
        r.digits.pop_back();
        ++r.exponent;
    } else {
        ++r.digits[i - 1];
    }
}

std::string reference_text(float value) {
    if (value == 0) return "0.000000E+00";
    Reference r = exact_expansion(value);
    round_to(r, 17);
    const bool fixed = r.exponent >= 1 && r.exponent <= 7;
    round_to(r, 7);
    std::string digits = r.digits + std::string(20, '0');
    std::string text = r.negative ? "-" : "";
    if (fixed) {
        text += digits.substr(0, r.exponent) + "." + digits.substr(r.exponent, 6);
    } else {
        char exponent[16];
        std::snprintf(exponent, sizeof exponent, "E%+03d", r.exponent - 1);
        text += digits.substr(0, 1) + "." + digits.substr(1, 6) + exponent;
    }
    return text;
}

struct Mismatches {
    long count = 0;
    std::string first;

    void check(float value) {
        const std::string expected = reference_text(value);
        const textio::RealText text = textio::real_text(value);
        const std::string_view got = text.view();
        if (got == expected) return;
        if (count++ == 0) {
            char shown[64];
            std::snprintf(shown, sizeof shown, "%a (%.9g)", static_cast<double>(value),
                          static_cast<double>(value));
            first = std::string(shown) + ": \"" + std::string(got) + "\", expected \"" + expected + "\"";
        }
    }
};

// The reference itself, on values whose expansion is known by heart.
TEST(RealTextReference, ExpandsKnownValuesExactly) {
    const Reference tenth = exact_expansion(0.1f);
    EXPECT_EQ(tenth.digits, "100000001490116119384765625");
    EXPECT_EQ(tenth.exponent, 0);
    const Reference big = exact_expansion(16777216.0f * 1024.0f);
    EXPECT_EQ(big.digits, "17179869184");
    EXPECT_EQ(big.exponent, 11);
    EXPECT_EQ(exact_expansion(std::ldexp(1.0f, -149)).digits.size(), 105u);
    EXPECT_EQ(reference_text(1234567.5f), "1234568.000000");
    EXPECT_EQ(reference_text(-0.0005f), "-5.000000E-04");
}

// Random bit patterns: every exponent, normal and subnormal, both signs.
TEST(RealTextSweep, AgreesWithTheReferenceOnRandomValues) {
    std::mt19937 random(20260611);
    Mismatches mismatches;
    long checked = 0;
    while (checked < 400000) {
        const std::uint32_t bits = static_cast<std::uint32_t>(random());
        if ((bits & 0x7f800000u) == 0x7f800000u) continue;
        float value;
        std::memcpy(&value, &bits, sizeof value);
        mismatches.check(value);
        ++checked;
    }
    EXPECT_EQ(mismatches.count, 0) << "first: " << mismatches.first;
}

// Values nearest to eight-digit decimals ending in 5, where the half-up
// rounding on the eighth digit decides, over the whole range of exponents;
// with their neighbours one unit in the last place away.
TEST(RealTextSweep, AgreesWithTheReferenceNearEighthDigitTies) {
    std::mt19937 random(5);
    std::uniform_int_distribution<int> leading(1000000, 9999999);
    std::uniform_int_distribution<int> exponent(-52, 31);
    Mismatches mismatches;
    for (int i = 0; i < 100000; ++i) {
        char decimal[32];
        std::snprintf(decimal, sizeof decimal, "%d5e%d", leading(random), exponent(random));
        const float value = std::strtof(decimal, nullptr);
        if (!std::isfinite(value) || value == 0) continue;
        for (float v : {value, std::nextafter(value, 0.0f), std::nextafter(value, 1e38f), -value})
            mismatches.check(v);
    }
    EXPECT_EQ(mismatches.count, 0) << "first: " << mismatches.first;
}

// Around every power of ten, where the decimal exponent and the form change.
TEST(RealTextSweep, AgreesWithTheReferenceAroundPowersOfTen) {
    Mismatches mismatches;
    for (int p = -45; p <= 38; ++p) {
        char decimal[16];
        std::snprintf(decimal, sizeof decimal, "1e%d", p);
        float value = std::strtof(decimal, nullptr);
        if (value == 0) value = std::ldexp(1.0f, -149);
        for (int k = 0; k < 200 && std::nextafter(value, 0.0f) > 0; ++k) value = std::nextafter(value, 0.0f);
        for (int k = 0; k < 400 && std::isfinite(value); ++k) {
            mismatches.check(value);
            value = std::nextafter(value, 1e38f);
        }
    }
    EXPECT_EQ(mismatches.count, 0) << "first: " << mismatches.first;
}

}  // namespace
