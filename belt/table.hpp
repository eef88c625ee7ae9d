#pragma once

// The belt as the program holds it: 62 grid values and eight columns of
// interval ends, all single precision, interpolated with DIVDIF of order
// 2 exactly as the program does.

#include "belt/confidence.hpp"
#include "calc/belt_table.hpp"

#include <array>
#include <vector>

namespace fcbelt {

// The program's own sizes and order, so that the tool cannot drift from it.
using norvex::grid_points;
using norvex::interpolation_order;

struct BeltTable {
    std::array<float, grid_points> grid;
    std::array<std::array<float, grid_points>, end_count> ends;
};

// The exact belt at each grid value, rounded once to single precision.
// The grid values themselves must be floats already: the ends belong to
// the x0 the program will see.
BeltTable tabulate(const std::vector<float>& grid);

// End k (0 to 7, in column order) the program computes for a ratio x
// with sigma = 1.
float interpolate_end(const BeltTable& table, int k, float x);

// All eight of them.
std::array<float, end_count> interpolate(const BeltTable& table, float x);

}  // namespace fcbelt
