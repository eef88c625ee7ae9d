#include "textio/real_from_text.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "textio/fp_env.hpp"

namespace {

float real_of(const std::string& text) { return textio::real_from_text(text.data(), text.size()); }

std::uint32_t bits(float value) { return std::bit_cast<std::uint32_t>(value); }

// Compared bit for bit, so that negative zero is told from zero.
TEST(RealFromText, ReadsEveryNumberForm) {
    const struct {
        std::string text;
        float value;
    } cases[] = {
        {"5.", 5.0f},          {"+5", 5.0f},         {"5E0", 5.0f},       {"5e+0", 5.0f},
        {"5D0", 5.0f},         {"5d0", 5.0f},        {"0.5E1", 5.0f},     {"50-1", 5.0f},
        {"0.05+2", 5.0f},      {"500E-2", 5.0f},     {"0005.000", 5.0f},  {".5", 0.5f},
        {"-.5", -0.5f},        {"2.5-3", 0.0025f},   {"1+2", 100.0f},     {"1.5", 1.5f},
        {"-2.25D+1", -22.5f},  {"1e-3", 0.001f},     {"0.1", 0.1f},       {"123456789", 123456792.0f},
        {"0", 0.0f},           {"-0", -0.0f},        {"-0.000E-5", -0.0f},
        {"0E99999999999999999999", 0.0f},            {"-0D-99999999999999999999", -0.0f},
        {"1E-50", 0.0f},       {"-1E-50", -0.0f},    {"1E-400", 0.0f},    {"-1e-400", -0.0f},
        {"1e-99999999999999999999", 0.0f},           {"3.4028234E+38", FLT_MAX},
        {"-3.4028234E+38", -FLT_MAX},                {"3.4028234663852886E+38", FLT_MAX},
        {"1.17549435E-38", FLT_MIN},
        // A positive exponent on a tiny mantissa, a negative one on a huge
        // mantissa: the size of the number is the digits and the exponent
        // together.
        {"0." + std::string(400, '0') + "1E50", 0.0f},
        {"0.0001E-320", 0.0f},
        // A value text far longer than 259 characters counts whole.
        {std::string(298, '0') + "15", 15.0f},
        {"1." + std::string(298, '0'), 1.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(bits(real_of(c.text)), bits(c.value));
    }
}

TEST(RealFromText, SmallNumbersBecomeSubnormal) {
    const float value = real_of("1E-40");
    EXPECT_EQ(std::fpclassify(value), FP_SUBNORMAL);
    EXPECT_EQ(bits(value), 0x000116C2u);  // 71362 times the smallest subnormal
    EXPECT_EQ(bits(real_of("1.4E-45")), 1u);
    EXPECT_EQ(bits(real_of("-1.4E-45")), 0x80000001u);
}

// 1 + 2^-24 lies halfway between two REALs. Just above it, the nearest
// double is that halfway point itself, which then rounds to even (1.0);
// rounding the decimal to a REAL in one step would give the REAL above.
TEST(RealFromText, RoundsViaDouble) {
    const std::string text = "1.00000005960464478";
    float direct = 0;
    std::from_chars(text.data(), text.data() + text.size(), direct);
    ASSERT_EQ(direct, std::nextafter(1.0f, 2.0f)) << "not a double-rounding case";
    EXPECT_EQ(real_of(text), 1.0f);
}

// Random numbers in every exponent spelling against the C library's
// correctly rounded strtod of the same number written with "e", rounded
// on to a REAL.
TEST(RealFromText, AgreesWithStrtodInEverySpelling) {
    std::mt19937 random(20261211);
    const char* letters[] = {"E", "e", "D", "d", ""};
    for (int i = 0; i < 20000; ++i) {
        std::string digits = std::to_string(random() % 100000000);
        const std::size_t point = random() % (digits.size() + 1);
        const std::string mantissa = digits.substr(0, point) + "." + digits.substr(point);
        const int exponent = static_cast<int>(random() % 90) - 45;
        const std::string exponent_digits = std::to_string(std::abs(exponent));
        const char* sign = exponent < 0 ? "-" : (random() % 2 ? "+" : "");
        const char* letter = letters[random() % 5];
        if (*letter == '\0' && *sign == '\0') sign = "+";  // a bare exponent needs its sign
        const std::string text = mantissa + letter + sign + exponent_digits;
        const std::string reference = mantissa + "e" + (exponent < 0 ? "-" : "") + exponent_digits;
        const double nearest = std::strtod(reference.c_str(), nullptr);
        if (std::fabs(nearest) > FLT_MAX) continue;
        SCOPED_TRACE(text);
        ASSERT_EQ(bits(real_of(text)), bits(static_cast<float>(nearest)));
    }
}

// Where one multiplication or division by a power of ten is exact and
// where it is not: mantissas around 2^53 = 9007199254740992, powers of
// ten around +-22, long mantissas of leading and trailing zeros.
TEST(RealFromText, AgreesWithStrtodWhereExactArithmeticEnds) {
    std::mt19937_64 random(53);
    const std::uint64_t around[] = {9007199254740992ull, 900719925474099ull, 4503599627370496ull};
    for (int i = 0; i < 60000; ++i) {
        const std::uint64_t base = around[i % 3];
        const std::uint64_t digits = base - 20 + random() % 40;
        const int power = static_cast<int>(random() % 60) - 30;
        const char* sign = i % 5 == 0 ? "-" : "";
        const unsigned long long d = digits;
        char text[64];
        switch (i % 4) {
        case 0: std::snprintf(text, sizeof text, "%s%lluE%d", sign, d, power); break;
        case 1: std::snprintf(text, sizeof text, "%s000%lluE%d", sign, d, power); break;
        case 2: std::snprintf(text, sizeof text, "%s%llu000E%d", sign, d, power); break;
        default:
            std::snprintf(text, sizeof text, "%s%llu.%08lluE%d", sign, d / 100000000, d % 100000000, power);
        }
        const double nearest = std::strtod(text, nullptr);
        if (std::fabs(nearest) > FLT_MAX) continue;
        SCOPED_TRACE(text);
        ASSERT_EQ(bits(real_of(text)), bits(static_cast<float>(nearest)));
    }
}

// An odd integer between 2^24 and 2^25 lies halfway between two REALs;
// a last digit a few units up or down, far past the point, decides the
// rounding only if the double in between is the nearest one. 14 to 18
// digits, on both sides of 2^53.
TEST(RealFromText, HalfwayBetweenRealsNudgedByTheLastDigit) {
    std::mt19937_64 random(24);
    for (int i = 0; i < 20000; ++i) {
        const unsigned long long halfway = (1ull << 24) + 2 * (random() % (1ull << 23)) + 1;
        const int zeros = 6 + static_cast<int>(random() % 5);
        unsigned long long scaled = halfway;
        for (int k = 0; k < zeros; ++k) scaled *= 10;
        for (const unsigned long long nudge : {0ull, 1ull, 3ull, 7ull, 9ull, 15ull}) {
          for (const unsigned long long digits : {scaled - nudge, scaled + nudge}) {
            char text[48];
            std::snprintf(text, sizeof text, "%lluE-%d", digits, zeros);
            SCOPED_TRACE(text);
            ASSERT_EQ(bits(real_of(text)), bits(static_cast<float>(std::strtod(text, nullptr))));
          }
        }
    }
}

TEST(RealFromTextDeathTest, RefusesTextsThatAreNotNumbers) {
    const char* texts[] = {"",    "+",     "-",    ".",     "+.",   "E5",   "1E",  "1E+",
                           "1+",  "1-",    "1.5.2", "1.5E", "abc",  "1.5x", "INF", "NAN",
                           "inf", "0x10",  "1e5.5", "1E+-5", "1EE5", "1 5",  "1,5", "--1",
                           "1D",  "5e0e0", "1.5\x1a"};
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        EXPECT_EXIT(real_of(text), testing::ExitedWithCode(1), "run-time error F6103");
    }
}

TEST(RealFromTextDeathTest, RefusesNumbersOutOfRange) {
    const struct {
        std::string text;
        int stop;
    } cases[] = {
        {"1E39", 6104},
        {"-1E39", 6104},
        {"3.4028235E+38", 6104},
        {"3.40282357E38", 6104},
        {"1.7976931348623157E308", 6104},
        {"0.000001E314", 6104},  // 1E308: fits a double
        {"1E400", 6102},
        {"-1E400", 6102},
        {"1.8E308", 6102},
        {"0.001D312", 6102},
        {"1e99999999999999999999", 6102},
        {"1" + std::string(400, '0') + "E-50", 6102},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EXIT(real_of(c.text), testing::ExitedWithCode(1),
                    "run-time error F" + std::to_string(c.stop));
    }
}

// The run has its floating-point traps armed; converting must not set one
// off, whatever the number.
TEST(RealFromTextDeathTest, NeverFaultsWithTrapsArmed) {
    const auto convert_all = [] {
        textio::arm_fp_traps();
        for (const char* text : {"1E-50", "1E-40", "3.4028234E+38", "-3.4028234663852886E+38",
                                 "1E-400", "0.1", "1.00000005960464478"})
            real_of(text);
        _exit(0);
    };
    EXPECT_EXIT(convert_all(), testing::ExitedWithCode(0), "");
}

}  // namespace
