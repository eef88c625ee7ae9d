#include "belt/acceptance.hpp"

#include "belt/root.hpp"

#include <boost/math/distributions/normal.hpp>

#include <cmath>
#include <limits>

namespace fcbelt {

namespace {

const boost::math::normal standard_normal;

double lower_tail(double z) { return boost::math::cdf(standard_normal, z); }
double upper_tail(double z) { return boost::math::cdf(boost::math::complement(standard_normal, z)); }

}  // namespace

// Written out for each side of zero, since for x far below zero the
// difference of the two squares would cancel.
double likelihood_ratio(double x, double mu) {
    if (x < 0) return std::exp(x * mu - 0.5 * mu * mu);
    return std::exp(-0.5 * (x - mu) * (x - mu));
}

// For x >= 0 the ratio is a Gaussian in x centred on mu, so the ends are
// symmetric about mu; for x < 0 it is exp(x mu - mu^2 / 2), which sets the
// lower end once the symmetric one would be negative.
double lower_end_matching(double mu, double x2) {
    if (mu == 0) return -std::numeric_limits<double>::infinity();
    if (x2 <= 2 * mu) return 2 * mu - x2;
    return x2 - x2 * x2 / (2 * mu);
}

double upper_end_matching(double mu, double x1) {
    if (x1 >= 0) return 2 * mu - x1;
    return mu + std::sqrt(mu * mu - 2 * mu * x1);
}

double outside_probability(double mu, double x1, double x2) {
    const double below = std::isinf(x1) ? 0.0 : lower_tail(x1 - mu);
    return below + upper_tail(x2 - mu);
}

Acceptance acceptance_interval(double mu, const Level& level) {
    // Widening the upper end widens the whole interval, so what it leaves
    // out falls monotonically from 1 - alpha (at x2 = mu) towards zero.
    const auto excess = [&](double x2) {
        return outside_probability(mu, lower_end_matching(mu, x2), x2) - level.alpha;
    };
    const double x2 = find_root(excess, mu, mu + widest_half_width);
    return {lower_end_matching(mu, x2), x2};
}

}  // namespace fcbelt
