#include "belt/confidence.hpp"

#include "belt/acceptance.hpp"
#include "belt/root.hpp"

#include <boost/math/distributions/normal.hpp>
#include <boost/math/special_functions/erf.hpp>

#include <cmath>

namespace fcbelt {

// At mu = 0 the acceptance interval reaches down to minus infinity, so
// its upper end is the one-sided quantile. Below 50 % that quantile is
// negative, yet every x0 > 0 is still the upper end of the interval of
// some small mu: the lower end leaves zero at x0 = 0.
double lower_end_leaves_zero(const Level& level) {
    if (level.cl < 0.5) return 0.0;
    return boost::math::quantile(boost::math::complement(boost::math::normal{}, level.alpha));
}

// z((1 + cl) / 2), from whichever of cl and alpha is the small one, so
// that levels near 0 and near 1 keep their digits.
double central_half_width(const Level& level) {
    if (level.cl < 0.5) return std::sqrt(2.0) * boost::math::erf_inv(level.cl);
    return std::sqrt(2.0) * boost::math::erfc_inv(level.alpha);
}

// With the upper end held at x0, a larger mu pulls the lower end up to
// meet it, so the probability left out rises from below alpha at mu = 0
// to 1 at mu = x0. Every acceptance interval reaches at least z(cl) and at
// most z((1 + cl) / 2) above its mu (its lower side is the wider one),
// which brackets the root; from mu = z((1 + cl) / 2) on the intervals are
// central, mu -+ z, and the limit is a straight line.
double lower_limit(double x0, const Level& level) {
    const double leaves_zero = lower_end_leaves_zero(level);
    if (x0 <= leaves_zero) return 0.0;
    const double half_width = central_half_width(level);
    if (x0 >= 2 * half_width) return x0 - half_width;
    const auto excess = [&](double mu) {
        return outside_probability(mu, lower_end_matching(mu, x0), x0) - level.alpha;
    };
    return find_root_in_proven_bracket(excess, std::fmax(0.0, x0 - half_width), x0 - leaves_zero);
}

namespace {

// The mu whose acceptance interval, starting at x0 = -depth < 0, reaches
// t above mu: t^2 = mu^2 + 2 mu depth, solved without cancellation or
// overflow for every depth a double can hold.
double mean_reaching(double depth, double t) { return 0.5 * t * t / (0.5 * depth + 0.5 * std::hypot(depth, t)); }

}  // namespace

// For x0 >= 0 the mean x0 + z((1 + cl) / 2) has the central interval that
// starts at x0. Below zero the limit falls towards zero like z(cl)^2 /
// (2 |x0|), so it is solved for the reach t of the acceptance interval
// above its mean, which stays between z(cl) and z((1 + cl) / 2) however
// far below zero x0 lies; the probability left out falls as t grows.
double upper_limit(double x0, const Level& level) {
    const double half_width = central_half_width(level);
    if (x0 >= 0) return x0 + half_width;
    const double depth = -x0;
    const auto excess = [&](double t) {
        const double mu = mean_reaching(depth, t);
        return outside_probability(mu, x0, mu + t) - level.alpha;
    };
    // Below 50 % the intervals of small mu shrink to [-q, 0] with
    // Phi(-q) = 0.5 - cl, so no mean above zero accepts an x0 below -q:
    // the limits meet at zero.
    const double from = lower_end_leaves_zero(level);
    if (from == 0 && excess(0.0) <= 0) return 0.0;
    return mean_reaching(depth, find_root_in_proven_bracket(excess, from, half_width));
}

Interval confidence_interval(double x0, const Level& level) {
    return {lower_limit(x0, level), upper_limit(x0, level)};
}

// Where x / sigma overflows, x lies so far above zero that the interval
// is x -+ z sigma, or so far below that both ends are zero to within
// sigma / 1e308.
Interval measured_interval(double x, double sigma, const Level& level) {
    const double x0 = x / sigma;
    if (std::isinf(x0)) {
        if (x0 < 0) return {0.0, 0.0};
        const double reach = central_half_width(level) * sigma;
        return {x - reach, x + reach};
    }
    const Interval unit = confidence_interval(x0, level);
    return {unit.lower * sigma, unit.upper * sigma};
}

BeltRow belt_row(double x0) {
    BeltRow row{};
    for (int k = 0; k < level_count; ++k) {
        const Interval interval = confidence_interval(x0, levels()[k]);
        row[2 * k] = interval.lower;
        row[2 * k + 1] = interval.upper;
    }
    return row;
}

}  // namespace fcbelt
