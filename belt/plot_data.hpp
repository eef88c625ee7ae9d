#pragma once

// Data for the pictures of the belt: the exact ends, the table's grid
// points, and the program's interpolation error, as columns of numbers
// for gnuplot.

#include "belt/table.hpp"

#include <string>

namespace fcbelt {

// Writes belt_exact.dat, belt_grid.dat, belt_error.dat (absolute, up to
// x0 = 10) and belt_far_error.dat (relative, from 10) into directory dir.
// Each line is x0 and then the eight ends (or their errors) in the order
// of the table's columns.
void write_plot_data(const BeltTable& table, const std::string& dir);

}  // namespace fcbelt
