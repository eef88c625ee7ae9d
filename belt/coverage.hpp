#pragma once

// The coverage of the intervals the program prints: for a true mean mu,
// the probability over x ~ N(mu, 1) that the interval interpolated from
// the table at x holds mu. The exact belt covers exactly its level; a
// table's interpolation errors move the coverage off it a little.

#include "belt/table.hpp"

namespace fcbelt {

// The x above which the measurement is counted; what lies below
// (probability under 3e-7 for any mu >= 0) is left out, since nothing is
// asked of the table there.
inline constexpr double lowest_measurement = -5.0;

// level is 0 to 3, in the order of the table's columns.
double printed_coverage(const BeltTable& table, int level, double mu);

}  // namespace fcbelt
