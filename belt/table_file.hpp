#pragma once

// fc_tab10.dat: seven header records of at most 72 characters, then one
// line of nine numbers per grid point (the grid value, then the lower and
// upper ends at 68.27 %, 90 %, 95 % and 99 %), lines ending in LF.

#include "belt/accuracy.hpp"
#include "belt/table.hpp"
#include "calc/belt_table.hpp"
#include "textio/header_read.hpp"

#include <string>
#include <vector>

namespace fcbelt {

using norvex::header_records;
using textio::header_width;

// How the shipped table is made; the header names it.
inline constexpr const char* write_command = "fcbelt write belt/fc_grid.txt > data/fc_tab10.dat";

std::string table_text(const BeltTable& table, const TableAccuracy& accuracy);

// Reads a table with the program's own reader, so that what is checked is
// what the program will hold. A file that cannot be opened throws; one
// the program could not read ends the run with the program's stop report.
BeltTable read_table_file(const std::string& path);

// The grid a search found: lines starting with # are comments, then the
// 62 grid values, one a line, in the table's text form.
void write_grid_file(const std::string& path, const std::vector<float>& grid);
std::vector<float> read_grid_file(const std::string& path);

}  // namespace fcbelt
