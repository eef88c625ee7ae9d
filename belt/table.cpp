#include "belt/table.hpp"

#include "mathlib/divdif.hpp"

#include <stdexcept>

namespace fcbelt {

BeltTable tabulate(const std::vector<float>& grid) {
    if (grid.size() != grid_points) throw std::invalid_argument("the belt needs 62 grid values");
    BeltTable table{};
    for (int i = 0; i < grid_points; ++i) {
        table.grid[i] = grid[i];
        const BeltRow row = belt_row(grid[i]);
        for (int k = 0; k < end_count; ++k) table.ends[k][i] = static_cast<float>(row[k]);
    }
    return table;
}

float interpolate_end(const BeltTable& table, int k, float x) {
    return DIVDIF(table.ends[k].data(), table.grid.data(), grid_points, x, interpolation_order);
}

std::array<float, end_count> interpolate(const BeltTable& table, float x) {
    std::array<float, end_count> ends{};
    for (int k = 0; k < end_count; ++k) ends[k] = interpolate_end(table, k, x);
    return ends;
}

}  // namespace fcbelt
