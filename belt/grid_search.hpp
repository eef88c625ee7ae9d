#pragma once

// Chooses the 62 grid values of the table so that the program's own
// interpolation stays close to the exact belt: greedy refinement where the
// error is worst, then moves and exchanges of single points, all judged
// against the exact belt at the check points.

#include "belt/accuracy.hpp"

#include <vector>

namespace fcbelt {

struct SearchReport {
    int insertions = 0;
    int exchanges = 0;
    int zooms = 0;
    int moves = 0;
    int rounds = 0;
};

// The same check points always give the same grid.
std::vector<float> search_grid(const std::vector<CheckPoint>& near,
                               const std::vector<CheckPoint>& far,
                               SearchReport* report = nullptr);

// The grid value placed on a kink where a lower end leaves zero.
float kink_grid_value(double kink);

// A grid value the table can hold exactly and the file writes exactly:
// a short binary fraction, coarser the larger x is.
float grid_value_near(double x);

}  // namespace fcbelt
