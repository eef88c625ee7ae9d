#pragma once

// How closely the program's interpolation of a table follows the exact
// belt: absolute error over the measured means users mostly type, and
// relative error far out, where the ends grow with x0.

#include "belt/confidence.hpp"
#include "belt/table.hpp"

#include <array>
#include <vector>

namespace fcbelt {

struct CheckRange {
    double from;
    double to;
    int count;
    bool geometric;  // evenly spaced in log(x0) rather than in x0
};

// Where the belt is held to an absolute error, in units of sigma...
inline constexpr CheckRange near_range{-5.0, 10.0, 15001, false};
inline constexpr double near_tolerance = 5e-4;
// ...and where to a relative one.
inline constexpr CheckRange far_range{10.0, 1000.0, 3001, true};
inline constexpr double far_tolerance = 1e-6;

struct CheckPoint {
    float x;  // as the program's ratio x / sigma would hold it
    BeltRow exact;
};

// count x0 values from `from` to `to`, rounded to float, each with the
// exact belt there. shift (in units of one step, 0 to 1) moves every
// inner point, so that a second set falls between the first one's points.
std::vector<CheckPoint> check_points(const CheckRange& range, double shift = 0.0);

struct ColumnError {
    double worst = 0;  // absolute on the near range, relative on the far one
    float at = 0;
};

using BeltErrors = std::array<ColumnError, end_count>;

BeltErrors absolute_errors(const BeltTable& table, const std::vector<CheckPoint>& points);
BeltErrors relative_errors(const BeltTable& table, const std::vector<CheckPoint>& points);

double worst_of(const BeltErrors& errors);

// A table's errors on both ranges, on check points that fall between
// those the grid was chosen with.
struct TableAccuracy {
    BeltErrors near;  // absolute
    BeltErrors far;   // relative
};

TableAccuracy measure_table(const BeltTable& table);

}  // namespace fcbelt
