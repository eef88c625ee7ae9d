#pragma once

// The belt as the program holds it: 62 grid values and eight columns of
// interval ends, all single precision, interpolated with DIVDIF of order
// 2 exactly as the program does.

#include "belt/confidence.hpp"

#include <array>
#include <vector>

namespace fcbelt {

inline constexpr int grid_points = 62;
inline constexpr int interpolation_order = 2;

struct BeltTable {
    std::array<float, grid_points> grid;
    std::array<std::array<float, grid_points>, end_count> ends;
};

// The exact belt at each grid value, rounded once to single precision.
// The grid values themselves must be floats already: the ends belong to
// the x0 the program will see.
BeltTable tabulate(const std::vector<float>& grid);

// The eight ends the program computes for a ratio x with sigma = 1.
std::array<float, end_count> interpolate(const BeltTable& table, float x);

}  // namespace fcbelt
