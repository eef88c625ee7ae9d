#include "belt/acceptance.hpp"
#include "belt_test_support.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace fcbelt;
using belt_test::normal_cdf;
using belt_test::one_sided_z;
using belt_test::two_sided_z;

double content(double mu, const Acceptance& a) {
    return normal_cdf(a.x2 - mu) - (std::isinf(a.x1) ? 0.0 : normal_cdf(a.x1 - mu));
}

// mu from 0 to 8 in steps of 0.05, plus the points where the lower end of
// each level's interval crosses zero (mu = z((1+cl)/2)), approached from
// both sides.
std::vector<double> true_means() {
    std::vector<double> mus;
    for (int i = 0; i <= 160; ++i) mus.push_back(0.05 * i);
    for (double z : two_sided_z)
        for (double d : {-1e-6, 0.0, 1e-6}) mus.push_back(z + d);
    for (double tiny : {1e-9, 1e-4, 1e-3}) mus.push_back(tiny);
    return mus;
}

TEST(Acceptance, HoldsTheConfidenceLevel) {
    for (const Level& level : levels()) {
        for (double mu : true_means()) {
            const Acceptance a = acceptance_interval(mu, level);
            EXPECT_NEAR(content(mu, a), level.cl, 1e-9) << level.name << " mu=" << mu;
            EXPECT_LT(a.x1, mu);
            EXPECT_GT(a.x2, mu);
        }
    }
}

TEST(Acceptance, EndsHaveEqualLikelihoodRatio) {
    for (const Level& level : levels()) {
        for (double mu : true_means()) {
            if (mu == 0) continue;
            const Acceptance a = acceptance_interval(mu, level);
            const double r1 = likelihood_ratio(a.x1, mu);
            const double r2 = likelihood_ratio(a.x2, mu);
            EXPECT_NEAR(r1 / r2, 1.0, 1e-9) << level.name << " mu=" << mu;
            // Ordered by R: just inside both ends R is larger, just outside
            // smaller. Below zero log R has slope mu, so the step grows as
            // mu shrinks, to change R measurably.
            const double step = 1e-4;
            const double step1 = a.x1 < 0 ? step * std::fmax(1.0, 1.0 / mu) : step;
            EXPECT_GT(likelihood_ratio(a.x1 + step1, mu), r1) << level.name << " mu=" << mu;
            EXPECT_LT(likelihood_ratio(a.x1 - step1, mu), r1) << level.name << " mu=" << mu;
            EXPECT_GT(likelihood_ratio(a.x2 - step, mu), r2) << level.name << " mu=" << mu;
            EXPECT_LT(likelihood_ratio(a.x2 + step, mu), r2) << level.name << " mu=" << mu;
        }
    }
}

// At mu = 0 every x < 0 has R = 1, the largest ratio there is, so the
// interval reaches down to minus infinity and its upper end is the
// one-sided quantile.
TEST(Acceptance, AtZeroIsOneSided) {
    for (int k = 0; k < level_count; ++k) {
        const Acceptance a = acceptance_interval(0.0, levels()[k]);
        EXPECT_TRUE(std::isinf(a.x1) && a.x1 < 0);
        EXPECT_NEAR(a.x2, one_sided_z[k], 1e-9) << levels()[k].name;
    }
}

// Once mu >= z((1+cl)/2) the ratio is Gaussian over the whole interval,
// so the interval is central: mu -+ z.
TEST(Acceptance, IsCentralFarFromZero) {
    for (int k = 0; k < level_count; ++k) {
        const double z = two_sided_z[k];
        for (double mu : {z, 3.0, 5.5, 40.0, 1000.0}) {
            const Acceptance a = acceptance_interval(mu, levels()[k]);
            EXPECT_NEAR(a.x1, mu - z, 1e-10 * std::fmax(1.0, mu));
            EXPECT_NEAR(a.x2, mu + z, 1e-10 * std::fmax(1.0, mu));
        }
    }
}

TEST(Acceptance, MatchingEndsAreInverse) {
    struct Case {
        double mu, x2;
    };
    for (const Case c : {Case{0.3, 0.5}, Case{0.3, 2.0}, Case{2.0, 3.0}, Case{2.0, 4.5}, Case{0.01, 1.3}}) {
        const double x1 = lower_end_matching(c.mu, c.x2);
        EXPECT_NEAR(likelihood_ratio(x1, c.mu), likelihood_ratio(c.x2, c.mu), 1e-12);
        EXPECT_NEAR(upper_end_matching(c.mu, x1), c.x2, 1e-12);
    }
}

}  // namespace
