#include "belt/grid_search.hpp"
#include "belt_test_support.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <vector>

namespace {

using namespace fcbelt;

// Grid values are short binary fractions: 2^-16 apart below 2, one binary
// digit coarser for each doubling above, so the file holds them exactly.
TEST(GridValue, IsTheNearestShortBinaryFraction) {
    struct Case {
        double x;
        float value;
    };
    const Case cases[] = {
        {0.0, 0.0f},
        {0.3, 19661.0f / 65536},
        {-0.3, -19661.0f / 65536},
        {1.999999, 2.0f},
        {2.3, 75366.0f / 32768},
        {5.1517, 84405.0f / 16384},
        {700.3, 89638.0f / 128},
        {1000.1, 128013.0f / 128},
        {-4.9, -80282.0f / 16384},
    };
    for (const Case& c : cases) EXPECT_EQ(grid_value_near(c.x), c.value) << c.x;
}

// Half a step is at most 2^-17 of x's magnitude, and 2^-17 below 1.
TEST(GridValue, StaysWithinHalfAStep) {
    for (double x = -20.0; x < 1100.0; x += 0.0137 + 0.01 * std::fabs(x))
        EXPECT_LE(std::fabs(grid_value_near(x) - x), std::ldexp(std::fmax(1.0, std::fabs(x)), -17)) << x;
}

// On a kink the grid value is the REAL at or just below it.
TEST(KinkGridValue, IsTheLastRealNotAbove) {
    std::vector<double> kinks(std::begin(belt_test::one_sided_z), std::end(belt_test::one_sided_z));
    kinks.insert(kinks.end(), {0.5, 1.0 / 3});
    for (double kink : kinks) {
        const float value = kink_grid_value(kink);
        EXPECT_LE(double(value), kink);
        EXPECT_GT(double(std::nextafter(value, 10.0f)), kink);
    }
    EXPECT_EQ(kink_grid_value(0.5), 0.5f);
}

}  // namespace
