#pragma once

// The Feldman–Cousins confidence belt for a standard deviation of 1, as
// read from fc_tab10.dat: a grid of measured means and, for each, the
// lower and upper ends of the 68.27 %, 90 %, 95 % and 99 % intervals.

#include "textio/input_unit.hpp"

namespace norvex {

inline constexpr int grid_points = 62;
inline constexpr int belt_columns = 9;   // the grid, then eight interval ends
inline constexpr int header_records = 7;
inline constexpr int interpolation_order = 2;   // DIVDIF's, for every end

struct BeltTable {
    float column[belt_columns][grid_points];

    const float* grid() const { return column[0]; }
    const float* ends(int k) const { return column[k + 1]; }   // k = 0..7
};

// Connects fc_tab10.dat in the current directory and reads it whole:
// seven header records, then 62 groups of nine values. Any failure ends
// the run.
void load_belt_table(BeltTable& belt);

// The reading itself, from a unit already connected.
void read_belt_table(textio::InputUnit& table, BeltTable& belt);

}  // namespace norvex
