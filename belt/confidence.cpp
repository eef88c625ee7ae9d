#include "belt/confidence.hpp"

#include "belt/acceptance.hpp"
#include "belt/root.hpp"

#include <boost/math/distributions/normal.hpp>

#include <cmath>

namespace fcbelt {

// At mu = 0 the acceptance interval reaches down to minus infinity, so
// its upper end is the one-sided quantile.
double lower_end_leaves_zero(const Level& level) {
    return boost::math::quantile(boost::math::complement(boost::math::normal{}, level.alpha));
}

double half_width(const Level& level) {
    return boost::math::quantile(boost::math::complement(boost::math::normal{}, level.alpha / 2));
}

// With the upper end held at x0, a larger mu pulls the lower end up to
// meet it, so the probability left out rises from below alpha at mu = 0
// to 1 at mu = x0.
double lower_limit(double x0, const Level& level) {
    if (x0 <= lower_end_leaves_zero(level)) return 0.0;
    // The acceptance interval of mu >= z is mu -+ z, so x0 - z once that
    // mu is reached; a root found near x0 = 1e30 would be all rounding.
    const double z = half_width(level);
    if (x0 >= 2 * z) return x0 - z;
    const auto excess = [&](double mu) {
        return outside_probability(mu, lower_end_matching(mu, x0), x0) - level.alpha;
    };
    return find_root(excess, 0.0, x0);
}

// With the lower end held at x0, a larger mu pushes the upper end away, so
// the probability left out falls from above alpha (at mu = max(0, x0)) to
// almost nothing.
double upper_limit(double x0, const Level& level) {
    if (x0 >= 0) return x0 + half_width(level);
    const auto excess = [&](double mu) {
        return outside_probability(mu, x0, upper_end_matching(mu, x0)) - level.alpha;
    };
    const double from = std::fmax(0.0, x0);
    return find_root(excess, from, from + widest_half_width);
}

Interval confidence_interval(double x0, const Level& level) {
    return {lower_limit(x0, level), upper_limit(x0, level)};
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
