#include "textio/real_text.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <cstdlib>
#include <string>

#include "textio/fp_env.hpp"

namespace {

struct Case {
    float value;
    const char* text;
};

std::string text_of(float value) {
    const textio::RealText text = textio::real_text(value);
    return std::string(text.view());
}

float from_bits(std::uint32_t bits) {
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void expect_texts(const Case* first, const Case* last) {
    for (const Case* c = first; c != last; ++c)
        EXPECT_EQ(text_of(c->value), c->text) << "value " << std::hexfloat << c->value;
}

TEST(RealText, WritesTheDocumentedExamples) {
    const Case cases[] = {
        {0.0f, "0.000000E+00"},
        {-0.0f, "0.000000E+00"},
        {1.0f, "1.000000"},
        {-1.0f, "-1.000000"},
        {1.645f, "1.645000"},
        {2.326348f, "2.326348"},
        {-2.5f, "-2.500000"},
        {123.456f, "123.456000"},
        {12345.67f, "12345.670000"},
        {-123456.789f, "-123456.800000"},
        {1234567.5f, "1234568.000000"},
        {9999999.0f, "9999999.000000"},
        {10000000.0f, "1.000000E+07"},
        {12345678.0f, "1.234568E+07"},
        {0.99999994f, "9.999999E-01"},
        {0.6745f, "6.745000E-01"},
        {0.5f, "5.000000E-01"},
        {0.05f, "5.000000E-02"},
        {1.0E-3f, "1.000000E-03"},
        {9.9999999E-5f, "1.000000E-04"},
        {-0.0005f, "-5.000000E-04"},
        {3.4028235E+38f, "3.402823E+38"},
        {1.1754944E-38f, "1.175494E-38"},
        {1.4E-45f, "1.401298E-45"},
    };
    expect_texts(std::begin(cases), std::end(cases));
}

// Where the form changes, and the extremes of the type.
TEST(RealText, ChoosesTheFormAtItsBoundaries) {
    const Case cases[] = {
        {1.0f, "1.000000"},
        {std::nextafter(1.0f, 0.0f), "9.999999E-01"},
        {-std::nextafter(1.0f, 0.0f), "-9.999999E-01"},
        {9999999.0f, "9999999.000000"},
        {-9999999.0f, "-9999999.000000"},
        {10000000.0f, "1.000000E+07"},
        {std::nextafter(10000000.0f, 0.0f), "9999999.000000"},
        {std::numeric_limits<float>::max(), "3.402823E+38"},
        {-std::numeric_limits<float>::max(), "-3.402823E+38"},
        {std::numeric_limits<float>::min(), "1.175494E-38"},
        {std::numeric_limits<float>::denorm_min(), "1.401298E-45"},
        {-std::numeric_limits<float>::denorm_min(), "-1.401298E-45"},
        {from_bits(0x007fffffu), "1.175494E-38"},   // the largest subnormal
        {-1234567.0f, "-1234567.000000"},
        {0.1f, "1.000000E-01"},
        {10.0f, "10.000000"},
    };
    expect_texts(std::begin(cases), std::end(cases));
}

// An eighth significant digit of 5 rounds the magnitude up, even with
// nothing after it, and a carry through all seven digits moves the point.
TEST(RealText, RoundsHalfUpOnTheEighthDigit) {
    const Case cases[] = {
        {1234567.5f, "1234568.000000"},
        {-1234567.5f, "-1234568.000000"},
        {1234568.5f, "1234569.000000"},
        {1234567.25f, "1234567.000000"},
        {9.9999999E-5f, "1.000000E-04"},
        {0.33333334f, "3.333333E-01"},
        {3333333.2f, "3333333.000000"},
        {33333332.0f, "3.333333E+07"},
        {from_bits(0x0a4fb11eu), "1.000000E-32"},   // 9.9999995027...E-33
        {from_bits(0x19416d9au), "1.000000E-23"},   // 9.9999999981...E-24
        {99999990.0f, "9.999999E+07"},              // 99999992 exactly
        {1.5f, "1.500000"},
        {0.125f, "1.250000E-01"},
        {4194304.5f, "4194305.000000"},  // a tie in binary and in decimal
        {4194303.5f, "4194304.000000"},
    };
    expect_texts(std::begin(cases), std::end(cases));
}

TEST(RealText, NeverExceedsFifteenCharacters) {
    const float values[] = {-1234567.5f, -9999999.0f, -std::numeric_limits<float>::max(),
                            -std::numeric_limits<float>::denorm_min(), -0.5f};
    for (float v : values) EXPECT_LE(textio::real_text(v).size, textio::real_text_max) << v;
    EXPECT_EQ(textio::real_text(-1234567.5f).size, textio::real_text_max);
}

// Never reached by the program; the text is a choice, failing is not.
TEST(RealText, NamesNonFiniteValuesWithoutFailing) {
    const Case cases[] = {
        {std::numeric_limits<float>::infinity(), "Infinity"},
        {-std::numeric_limits<float>::infinity(), "-Infinity"},
        {std::numeric_limits<float>::quiet_NaN(), "NaN"},
        {from_bits(0xff800001u), "NaN"},   // a signalling NaN with its sign bit set
    };
    expect_texts(std::begin(cases), std::end(cases));
}

// The run renders its values with the floating-point traps armed; no
// value, however extreme, may set one off.
void render_extremes_with_traps_armed() {
    textio::arm_fp_traps();
    const float values[] = {
        std::numeric_limits<float>::max(),      -std::numeric_limits<float>::max(),
        std::numeric_limits<float>::min(),      std::numeric_limits<float>::denorm_min(),
        from_bits(0x007fffffu),                 9.9999999E-5f,
        1234567.5f,                             -0.0f,
        std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN(),
        from_bits(0x7f800001u),   // a signalling NaN
    };
    std::size_t total = 0;
    for (float v : values) total += textio::real_text(v).size;
    std::exit(total > 0 ? 0 : 2);
}

TEST(RealTextDeathTest, RendersWithTheTrapsArmed) {
    EXPECT_EXIT(render_extremes_with_traps_armed(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
