// The limits at any level and any finite x0, against a computation of the
// belt written here from its definition alone: the acceptance region of mu
// is the set of x whose likelihood ratio R(x) = P(x|mu) / P(x|max(0, x))
// reaches a threshold, the threshold set by bisection so that the region
// holds probability cl, and a limit is where x0 leaves the regions, found
// by bisection on mu. No root finder, no closed form, no Boost.

#include "belt/confidence.hpp"
#include "belt/levels.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

using namespace fcbelt;

constexpr double infinity = std::numeric_limits<double>::infinity();

double below(double z) { return 0.5 * std::erfc(-z / std::sqrt(2.0)); }
double above(double z) { return 0.5 * std::erfc(z / std::sqrt(2.0)); }

// Bisection over the doubles between lo and hi (both >= 0) in their bit
// patterns, so that it ends on neighbouring doubles from 1e-320 to 1e300
// alike: returns the last value for which holds() is true, holds(lo)
// being true and holds(hi) false.
template <class Holds>
double last_holding(double lo, double hi, Holds holds) {
    auto a = std::bit_cast<std::uint64_t>(lo), b = std::bit_cast<std::uint64_t>(hi);
    while (b - a > 1) {
        const std::uint64_t mid = a + (b - a) / 2;
        (holds(std::bit_cast<double>(mid)) ? a : b) = mid;
    }
    return std::bit_cast<double>(a);
}

struct Region {
    double lo, hi;
};

// {x : log R(x) >= -depth}: on x >= 0 log R = -(x - mu)^2 / 2, on x < 0
// it is x mu - mu^2 / 2.
Region region_at_depth(double mu, double depth) {
    const double d = std::sqrt(2 * depth);
    const double lo = mu - d >= 0 ? mu - d : mu / 2 - depth / mu;
    return {lo, mu + d};
}

// The acceptance region of mu > 0: the threshold's depth grows until the
// region holds cl (for a small cl the probability inside is compared, for
// a large one the probability outside, whichever keeps its digits).
Region acceptance_region(double mu, const Level& level) {
    const auto too_narrow = [&](double depth) {
        const Region r = region_at_depth(mu, depth);
        const double left = r.lo == -infinity ? 0.0 : below(r.lo - mu);
        if (level.cl < 0.5) return below(r.hi - mu) - left < level.cl;
        return left + above(r.hi - mu) > level.alpha;
    };
    return region_at_depth(mu, last_holding(0.0, 1e4, too_narrow));
}

bool accepts(double mu, double x0, const Level& level) {
    const Region r = acceptance_region(mu, level);
    return r.lo <= x0 && x0 <= r.hi;
}

// The smallest mean tried. Below 50 % the regions of small means hold
// [-q, 0], Phi(-q) = 0.5 - cl, and are found through a threshold depth of
// about q mu, which needs mu well clear of the subnormal range.
double smallest_mean(const Level& level) {
    return level.cl < 0.5 ? 1e-300 : std::numeric_limits<double>::denorm_min();
}

// The accepting means form an interval; an x0 that even the smallest mean
// refuses (only below 50 %, far enough below zero) gets [0, 0].
Interval reference_interval(double x0, const Level& level) {
    const double smallest = smallest_mean(level);
    const double start = x0 > 0 ? x0 : smallest;
    if (!accepts(start, x0, level)) return {0, 0};
    const double upper = last_holding(start, start + 40, [&](double mu) { return accepts(mu, x0, level); });
    if (accepts(smallest, x0, level)) return {0, upper};
    const double lower = last_holding(smallest, x0, [&](double mu) { return !accepts(mu, x0, level); });
    return {std::nextafter(lower, infinity), upper};
}

double tolerance(double value) { return std::fmax(1e-9, 1e-12 * std::fabs(value)); }

const double levels_tried[] = {1e-9, 0.1, 0.3, 0.5, 0.6826894921370859, 0.9, 0.95, 0.99, 0.999, 0.999999, 1 - 1e-12};
const double ratios_tried[] = {-1e4, -50, -8, -3, -1, -0.3, -0.05, 0, 0.05, 0.3, 0.7,
                               1.2,  1.6, 2.0, 2.4, 3.1, 4.5, 6,     9,    14,  40,  1e5};

TEST(ExactLimits, MatchTheBeltComputedFromItsDefinition) {
    for (const double cl : levels_tried) {
        const Level level = level_with_content(cl);
        for (const double x0 : ratios_tried) {
            const Interval got = confidence_interval(x0, level);
            const Interval want = reference_interval(x0, level);
            EXPECT_NEAR(got.lower, want.lower, tolerance(want.lower)) << "cl=" << cl << " x0=" << x0;
            EXPECT_NEAR(got.upper, want.upper, tolerance(want.upper)) << "cl=" << cl << " x0=" << x0;
        }
    }
}

// Far below zero the upper end falls like z(cl)^2 / (2 |x0|) (for levels
// above 50 %, where z(cl) > 0): a zero, or
// anything off by more than rounding, is wrong here even where it is within
// 1e-9 of the truth, so these are held to a relative tolerance, down to the
// most negative double.
TEST(ExactLimits, UpperEndFallsLikeOneOverX0) {
    for (const double cl : {0.5 + 1e-6, 0.6826894921370859, 0.9, 0.99, 0.999}) {
        const Level level = level_with_content(cl);
        for (const double x0 : {-1e6, -1e12, -1e300, -std::numeric_limits<double>::max()}) {
            const Interval got = confidence_interval(x0, level);
            const double want = reference_interval(x0, level).upper;
            ASSERT_GT(want, 0.0);
            const double relative = std::fabs(want) >= std::numeric_limits<double>::min() ? 1e-9 : 1e-3;
            EXPECT_NEAR(got.upper, want, relative * want) << "cl=" << cl << " x0=" << x0;
            EXPECT_EQ(got.lower, 0.0);
        }
    }
}

// Levels as close to 0 and to 1 as a double holds: the answers stay within
// the tolerance and in order.
TEST(ExactLimits, HoldAtTheExtremeLevels) {
    for (const double cl : {std::numeric_limits<double>::denorm_min(), 1e-300, 1e-17, 0.5 - 0x1p-54, 0.5 + 0x1p-53,
                            1 - 0x1p-50, std::nextafter(1.0, 0.0)}) {
        const Level level = level_with_content(cl);
        double previous_upper = 0;
        for (const double x0 : {-1e6, -2.0, -0.5, 0.0, 0.5, 1.0, 3.0, 9.0, 20.0, 1e6}) {
            const Interval got = confidence_interval(x0, level);
            const Interval want = reference_interval(x0, level);
            EXPECT_NEAR(got.lower, want.lower, tolerance(want.lower)) << "cl=" << cl << " x0=" << x0;
            EXPECT_NEAR(got.upper, want.upper, tolerance(want.upper)) << "cl=" << cl << " x0=" << x0;
            EXPECT_LE(got.lower, got.upper);
            EXPECT_GE(got.upper, previous_upper) << "cl=" << cl << " x0=" << x0;
            previous_upper = got.upper;
        }
    }
}

// Beyond x0 = 2 z both ends are x0 -+ z, z = z((1 + cl) / 2); for every
// x0 >= 0 the upper end is x0 + z; left of z(cl) the lower end is zero.
TEST(ExactLimits, ClosedFormsWhereTheBeltHasThem) {
    for (const double cl : levels_tried) {
        const Level level = level_with_content(cl);
        const double z = central_half_width(level);
        const auto inside_too_small = [&](double t) {
            return cl < 0.5 ? std::erf(t / std::sqrt(2.0)) < cl : std::erfc(t / std::sqrt(2.0)) > level.alpha;
        };
        EXPECT_NEAR(z, last_holding(0.0, 40.0, inside_too_small), 1e-13 * z) << cl;
        for (const double x0 : {2 * z, 2 * z + 1e-9, 2 * z + 0.7, 1e3, 1e15, 1e300, std::numeric_limits<double>::max()}) {
            const Interval got = confidence_interval(x0, level);
            EXPECT_EQ(got.lower, x0 - z) << "cl=" << cl << " x0=" << x0;
            EXPECT_EQ(got.upper, x0 + z) << "cl=" << cl << " x0=" << x0;
        }
        const double leaves_zero = lower_end_leaves_zero(level);
        EXPECT_EQ(confidence_interval(leaves_zero, level).lower, 0.0);
        EXPECT_GT(confidence_interval(leaves_zero + 1e-6, level).lower, 0.0) << cl;
    }
}

// x and sigma in their own units: the interval is sigma times the one of
// x / sigma, and where that ratio overflows, the limits above and below.
TEST(ExactLimits, MeasuredIntervalScalesBySigma) {
    const Level level = level_with_content(0.9);
    const double z = central_half_width(level);
    const Interval unit = confidence_interval(-0.6, level);
    const Interval scaled = measured_interval(-1.5, 2.5, level);
    EXPECT_DOUBLE_EQ(scaled.lower, 0.0);
    EXPECT_DOUBLE_EQ(scaled.upper, 2.5 * unit.upper);

    const double huge = std::numeric_limits<double>::max();
    const Interval far_above = measured_interval(huge, 1e-300, level);
    EXPECT_EQ(far_above.lower, huge - z * 1e-300);
    EXPECT_EQ(far_above.upper, huge);
    const Interval far_below = measured_interval(-huge, 1e-300, level);
    EXPECT_EQ(far_below.lower, 0.0);
    EXPECT_EQ(far_below.upper, 0.0);
    const Interval beyond = measured_interval(huge, huge, level);  // x0 = 1: the upper end is 2.6e308
    EXPECT_TRUE(std::isinf(beyond.upper));
    EXPECT_EQ(beyond.lower, huge * confidence_interval(1.0, level).lower);
}

}  // namespace
