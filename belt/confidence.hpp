#pragma once

// The confidence interval for a measured x0: the mu >= 0 whose acceptance
// intervals hold x0. Its ends are where x0 is the upper end (mu1) or the
// lower end (mu2) of an acceptance interval.

#include "belt/levels.hpp"

#include <array>

namespace fcbelt {

struct Interval {
    double lower;
    double upper;
};

// The x0 up to which the lower end stays at zero: the upper end of the
// acceptance interval of mu = 0.
double lower_end_leaves_zero(const Level& level);

// z((1 + cl) / 2), the half width of a central interval. From x0 = 0 on
// the upper end is x0 + z, and from x0 = 2 z on the lower end is x0 - z:
// there both ends are straight lines, computed as such for any x0.
double half_width(const Level& level);

double lower_limit(double x0, const Level& level);
double upper_limit(double x0, const Level& level);
Interval confidence_interval(double x0, const Level& level);

// The eight ends in the order of the table's columns 2 to 9.
using BeltRow = std::array<double, end_count>;
BeltRow belt_row(double x0);

}  // namespace fcbelt
