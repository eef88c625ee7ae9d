#pragma once

// A belt for the micro-benchmarks: the shipped table when it can be read,
// otherwise a smooth synthetic one on a monotone grid of the same size.

#include <array>

namespace bench {

inline constexpr int belt_points = 62;

struct BeltColumns {
    std::array<float, belt_points> grid;
    std::array<std::array<float, belt_points>, 8> ends;
    bool shipped = false;  // read from the shipped table
};

const BeltColumns& belt_columns();

}  // namespace bench
