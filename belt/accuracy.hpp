#pragma once

// How closely the program's interpolation of a table follows the exact
// belt: absolute error over the measured means users mostly type,
// relative error from there up to the largest REAL, where the ends grow
// with x0, and how far a lower end dips below zero.

#include "belt/confidence.hpp"
#include "belt/table.hpp"

#include <array>
#include <cfloat>
#include <cmath>
#include <vector>

namespace fcbelt {

struct CheckRange {
    double from;
    double to;
    int count;
    bool geometric;  // evenly spaced in log(x0) rather than in x0
};

// Where the belt is held to an absolute error, in units of sigma. Below
// its start the program extrapolates and the table promises nothing.
inline constexpr double lowest_checked = -10.0;
inline constexpr double near_split = -5.0;  // errors are reported on either side
inline constexpr CheckRange near_range{lowest_checked, 10.0, 30001, false};
inline constexpr double near_tolerance = 1.5e-4;
// From there on the ends are x0 -+ z, held to a relative error, up to
// the largest ratio the program can form.
inline constexpr CheckRange far_range{10.0, FLT_MAX, 3001, true};
inline constexpr double far_tolerance = 1e-6;
// How far below zero a lower end may be interpolated.
inline constexpr double dip_tolerance = 1e-6;
// Around each kink, where a lower end leaves zero and dips most, the
// check points lie this close on either side.
inline constexpr double kink_reach = 0.01;

struct CheckPoint {
    float x;  // as the program's ratio x / sigma would hold it
    BeltRow exact;
};

// count x0 values from `from` to `to`, rounded to float, each with the
// exact belt there. shift (in units of one step, 0 to 1) moves every
// inner point, so that a second set falls between the first one's points.
std::vector<CheckPoint> check_points(const CheckRange& range, double shift = 0.0);

// count points evenly spaced within kink_reach of each kink, half as many
// on either side at distances log-spaced from closest_to_kink, and the
// REALs next to it.
inline constexpr double closest_to_kink = 1e-7;
std::vector<CheckPoint> kink_points(int count);

struct ColumnError {
    double worst = 0;  // absolute on the near range, relative on the far one
    float at = 0;
};

using BeltErrors = std::array<ColumnError, end_count>;

double worst_of(const BeltErrors& errors);

// A table's errors on every range, on check points that fall between
// those the grid was chosen with.
struct TableAccuracy {
    BeltErrors left;  // absolute, x0 below near_split
    BeltErrors near;  // absolute, from near_split to 10
    BeltErrors far;   // relative
    ColumnError deepest;  // the lowest lower end (0 when none is negative) and where
    int disordered = 0;   // check points where some lower end lies above its upper end

    double worst_absolute() const { return std::fmax(worst_of(left), worst_of(near)); }
    // Each comparison fails on a NaN, which a runaway error may be.
    bool meets_targets() const {
        return worst_of(left) <= near_tolerance && worst_of(near) <= near_tolerance &&
               worst_of(far) <= far_tolerance && deepest.worst >= -dip_tolerance && disordered == 0;
    }
};

TableAccuracy measure_table(const BeltTable& table);

}  // namespace fcbelt
