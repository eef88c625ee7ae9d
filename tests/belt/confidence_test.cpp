#include "belt/acceptance.hpp"
#include "belt/confidence.hpp"
#include "belt_test_support.hpp"
#include "known_values.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace fcbelt;

const double measured[] = {-5.0, -3.0, -1.2, -0.01, 0.0, 0.3, 0.48, 1.0, 1.3, 2.0, 2.4, 3.1, 4.0, 6.0, 25.0};

// mu2 is the mean whose acceptance interval starts at x0, mu1 (when not
// zero) the one whose interval ends there.
TEST(Confidence, MeasuredValueSitsOnTheAcceptanceEnds) {
    for (const Level& level : levels()) {
        for (double x0 : measured) {
            const Interval interval = confidence_interval(x0, level);
            EXPECT_NEAR(acceptance_interval(interval.upper, level).x1, x0, 1e-9) << level.name << " x0=" << x0;
            if (interval.lower > 0) {
                EXPECT_NEAR(acceptance_interval(interval.lower, level).x2, x0, 1e-9) << level.name << " x0=" << x0;
            }
        }
    }
}

// The interval is exactly the set of mu whose acceptance interval holds x0.
TEST(Confidence, HoldsTheMeansThatAcceptTheMeasurement) {
    const auto accepts = [](double mu, double x0, const Level& level) {
        const Acceptance a = acceptance_interval(mu, level);
        return a.x1 <= x0 && x0 <= a.x2;
    };
    for (const Level& level : levels()) {
        for (double x0 : measured) {
            const Interval interval = confidence_interval(x0, level);
            const double step = 1e-6;
            EXPECT_TRUE(accepts(interval.upper - step, x0, level)) << level.name << " x0=" << x0;
            EXPECT_FALSE(accepts(interval.upper + step, x0, level)) << level.name << " x0=" << x0;
            EXPECT_TRUE(accepts(0.5 * (interval.lower + interval.upper), x0, level));
            if (interval.lower > 0) {
                EXPECT_TRUE(accepts(interval.lower + step, x0, level)) << level.name << " x0=" << x0;
                EXPECT_FALSE(accepts(interval.lower - step, x0, level)) << level.name << " x0=" << x0;
            } else {
                EXPECT_TRUE(accepts(0.0, x0, level)) << level.name << " x0=" << x0;
            }
        }
    }
}

TEST(Confidence, LowerEndLeavesZeroAtTheOneSidedQuantile) {
    for (const Level& level : levels()) {
        const double kink = lower_end_leaves_zero(level);
        EXPECT_EQ(lower_limit(kink - 1e-9, level), 0.0);
        EXPECT_EQ(lower_limit(kink, level), 0.0);
        EXPECT_GT(lower_limit(kink + 1e-6, level), 0.0);
        EXPECT_LT(lower_limit(kink + 1e-6, level), 2e-6);
    }
}

// From an independent computation, to four decimals.
TEST(Confidence, KnownValues) {
    for (const belt_test::KnownInterval& c : belt_test::known_intervals) {
        const Interval interval = confidence_interval(c.x0, levels()[c.level]);
        EXPECT_NEAR(interval.lower, c.lower, belt_test::known_tolerance) << "x0=" << c.x0 << " " << levels()[c.level].name;
        EXPECT_NEAR(interval.upper, c.upper, belt_test::known_tolerance) << "x0=" << c.x0 << " " << levels()[c.level].name;
    }
}

// Far out every end is x0 -+ z((1+cl)/2), to the solver's tolerance.
TEST(Confidence, EndsAreLinearFarOut) {
    for (int k = 0; k < level_count; ++k) {
        const double z = belt_test::two_sided_z[k];
        for (double x0 : {5.2, 10.0, 123.456, 1000.0}) {
            const Interval interval = confidence_interval(x0, levels()[k]);
            EXPECT_NEAR(interval.lower, x0 - z, 1e-10 * x0);
            EXPECT_NEAR(interval.upper, x0 + z, 1e-10 * x0);
        }
    }
}

TEST(Confidence, RowIsInColumnOrder) {
    const BeltRow row = belt_row(3.1);
    for (int k = 0; k < level_count; ++k) {
        const Interval interval = confidence_interval(3.1, levels()[k]);
        EXPECT_EQ(row[2 * k], interval.lower);
        EXPECT_EQ(row[2 * k + 1], interval.upper);
    }
}

}  // namespace
