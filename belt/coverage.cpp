#include "belt/coverage.hpp"

#include "belt/acceptance.hpp"

namespace fcbelt {

namespace {

// The first x in [lo, hi] at which `past` holds of an end that rises
// with x. The interpolated end is a function of the REAL x, so halving
// goes on until the bracket is down to neighbouring REALs.
template <class Past>
double crossing(const BeltTable& table, int column, float lo, float hi, Past past) {
    if (past(interpolate_end(table, column, lo))) return lo;
    if (!past(interpolate_end(table, column, hi))) return hi;
    for (;;) {
        const float mid = static_cast<float>(0.5 * (double(lo) + double(hi)));
        if (mid == lo || mid == hi) return hi;
        (past(interpolate_end(table, column, mid)) ? hi : lo) = mid;
    }
}

}  // namespace

// The interval holds mu for x from where the upper end reaches mu up to
// where the lower end passes it.
double printed_coverage(const BeltTable& table, int level, double mu) {
    const float lowest = lowest_measurement;
    const float highest = table.grid[grid_points - 1];
    const double from = crossing(table, 2 * level + 1, lowest, highest,
                                 [mu](float end) { return end >= mu; });
    const double to = crossing(table, 2 * level, lowest, highest,
                               [mu](float end) { return end > mu; });
    if (to <= from) return 0.0;
    return 1.0 - outside_probability(mu, from, to);
}

}  // namespace fcbelt
