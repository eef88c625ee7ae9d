#pragma once

// fc_tab10.dat: seven header records of at most 72 characters, then one
// line of nine numbers per grid point (the grid value, then the lower and
// upper ends at 68.27 %, 90 %, 95 % and 99 %), lines ending in LF.

#include "belt/accuracy.hpp"
#include "belt/table.hpp"

#include <string>

namespace fcbelt {

inline constexpr int header_records = 7;
inline constexpr int header_width = 72;

// How the shipped table is made; the header names it.
inline constexpr const char* write_command = "fcbelt write > data/fc_tab10.dat";

std::string table_text(const BeltTable& table, const TableAccuracy& accuracy);

// Reads a table as the program does: the header records are skipped, then
// each row is nine numbers separated by blanks, commas or line ends. The
// nulls, repeat counts and slashes of list-directed input are not taken:
// a table this tool writes has none.
BeltTable read_table_file(const std::string& path);

}  // namespace fcbelt
