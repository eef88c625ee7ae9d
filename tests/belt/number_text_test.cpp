#include "belt/number_text.hpp"
#include "number_form.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using namespace fcbelt;

int significant(const std::string& text) {
    const std::string mantissa = text.substr(0, text.find('E'));
    std::string digits;
    for (char c : mantissa)
        if (std::isdigit(static_cast<unsigned char>(c))) digits += c;
    const auto first = digits.find_first_not_of('0');
    return first == std::string::npos ? static_cast<int>(digits.size()) : static_cast<int>(digits.size() - first);
}

TEST(NumberText, Layouts) {
    struct Case {
        float value;
        const char* text;
    };
    const Case cases[] = {
        {0.0f, "0.00000000"},
        {-5.0f, "-5.00000000"},
        {1024.0f, "1024.00000"},
        {0.0225339159f, "0.0225339159"},
        {0.00132965075f, "0.00132965075"},
        {6.74996933e-4f, "6.74996933E-04"},
        {3.39579636e-08f, "3.39579636E-08"},
        {123456789.0f, "123456792."},
        {1.5e9f, "1.50000000E+09"},
        {std::numeric_limits<float>::max(), "3.40282346E+38"},  // cut off, not rounded up past the range
        {-1.5f / 1099511627776.0f, "-1.36424205E-12"},  // -1.5 * 2^-40
    };
    for (const Case& c : cases) EXPECT_EQ(number_text(c.value), c.text);
}

// Every REAL, written and read the program's way, comes back unchanged,
// with nine significant digits in a form the reader accepts; the largest
// too, whose nine digits rounded to nearest would be out of range.
TEST(NumberText, ReadsBackToTheSameReal) {
    std::vector<float> values{std::numeric_limits<float>::max(), -std::numeric_limits<float>::max(),
                              std::nextafter(std::numeric_limits<float>::max(), 0.0f),
                              std::numeric_limits<float>::min(),
                              std::nextafter(1.0f, 2.0f), std::nextafter(1000.0f, 0.0f), 0.1f, 1.28155160f};
    // A spread of magnitudes and mantissas, deterministic.
    for (int i = 0; i < 20000; ++i) {
        const float mantissa = 1.0f + static_cast<float>((i * 7919) % 10007) / 10007.0f;
        values.push_back(std::ldexp(mantissa, (i % 80) - 40) * (i % 3 == 0 ? -1.0f : 1.0f));
    }
    for (float value : values) {
        const std::string text = number_text(value);
        EXPECT_TRUE(is_written_number(text)) << text;
        EXPECT_EQ(significant(text), significant_digits) << text;
        EXPECT_EQ(read_number(text), value) << text;
    }
}

TEST(NumberText, FormCheckerTellsForms) {
    for (const char* good : {"0.", "-5.00000000", "1024.00000", "6.74996933E-04", "1.5E+09"})
        EXPECT_TRUE(is_written_number(good)) << good;
    for (const char* bad : {"", ".5", "-", "5", "1.5E4", "1.5E+4", "1.5e+04", "1.5E+041", "+1.0", "1.0x"})
        EXPECT_FALSE(is_written_number(bad)) << bad;
}

TEST(NumberText, ReadsOtherExponentLetters) {
    EXPECT_EQ(read_number("2.5D-1"), 0.25f);
    EXPECT_EQ(read_number("2.5e+1"), 25.0f);
    EXPECT_EQ(read_number("5."), 5.0f);
    EXPECT_EQ(read_number("1E-50"), 0.0f);
}

// The reader is the program's, whose own tests cover every text it
// refuses; here only that a refusal ends the run as the program's does.
TEST(NumberText, RejectsWhatIsNoNumber) {
    EXPECT_EXIT(read_number("1.5x"), ::testing::ExitedWithCode(1), "run-time error F6103");
    EXPECT_EXIT(read_number("1E400"), ::testing::ExitedWithCode(1), "run-time error F6102");
    EXPECT_THROW(number_text(std::numeric_limits<float>::infinity()), std::invalid_argument);
}

}  // namespace
