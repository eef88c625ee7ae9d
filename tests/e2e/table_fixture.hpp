#pragma once

// Belt table files for the end-to-end tests: the layout the program
// reads, with contents chosen by the test.

#include <array>
#include <string>
#include <vector>

namespace e2e {

struct TableRow {
    std::array<float, 9> v;   // the grid value, then the eight interval ends
};

// Rows whose values are short binary fractions, so every one is exact in
// single precision and prints exactly with seven significant digits.
std::vector<TableRow> simple_rows();

// Seven header records, then one line of nine values per row.
std::string table_text(const std::vector<TableRow>& rows, const std::string& line_end = "\n");

// The rows of a table file as the program would read them (plain layout only).
std::vector<TableRow> parse_table(const std::string& text);

}  // namespace e2e
