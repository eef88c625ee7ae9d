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

// z((1 + cl) / 2): from x0 = 2 z on, the interval is x0 -+ z.
double central_half_width(const Level& level);

double lower_limit(double x0, const Level& level);
double upper_limit(double x0, const Level& level);
Interval confidence_interval(double x0, const Level& level);

// The interval for x measured with standard deviation sigma > 0, in the
// units of x. Both must be finite; an end beyond the largest double comes
// out infinite.
Interval measured_interval(double x, double sigma, const Level& level);

// The eight ends in the order of the table's columns 2 to 9.
using BeltRow = std::array<double, end_count>;
BeltRow belt_row(double x0);

}  // namespace fcbelt
