#include "belt/table_file.hpp"

#include "belt/number_text.hpp"

#include <cstdio>
#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace fcbelt {

namespace {

// Wide enough for the longest entry, "-1.23456789E-05", and a blank.
constexpr int field_width = 16;

std::string formatted(const char* format, double a, double b) {
    char line[128];
    std::snprintf(line, sizeof line, format, a, b);
    return line;
}

std::vector<std::string> header_lines(const TableAccuracy& accuracy) {
    std::vector<std::string> lines{
        "Feldman-Cousins confidence belt for the mean mu >= 0 of a Gaussian",
        "with sigma = 1, intervals ordered by the likelihood ratio.",
        "Columns: x0; then lower and upper end of mu at 68.27% (erf(1/sqrt2)),",
        "at 90%, at 95% and at 99%. 62 rows, x0 increasing.",
        formatted("DIVDIF order 2 on these REALs: max |error| %.1E on x0 in [%g, 10]",
                  worst_of(accuracy.near), near_range.from),
        formatted("and max relative error %.1E on x0 in [10, %g].", worst_of(accuracy.far), far_range.to),
        std::string("Written by: ") + write_command,
    };
    for (const std::string& line : lines)
        if (line.size() > header_width) throw std::logic_error("header record too long: " + line);
    return lines;
}

std::string field(float value) {
    const std::string text = number_text(value);
    return std::string(field_width - std::min<int>(field_width - 1, text.size()), ' ') + text;
}

}  // namespace

std::string table_text(const BeltTable& table, const TableAccuracy& accuracy) {
    std::string text;
    for (const std::string& line : header_lines(accuracy)) text += line + '\n';
    for (int i = 0; i < grid_points; ++i) {
        std::string line = field(table.grid[i]);
        for (int k = 0; k < end_count; ++k) line += field(table.ends[k][i]);
        text += line + '\n';
    }
    return text;
}

BeltTable read_table_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open " + path);
    std::string line;
    for (int i = 0; i < header_records; ++i)
        if (!std::getline(in, line)) throw std::runtime_error(path + ": fewer than 7 header records");

    // Each row is one read of nine values: it goes on over line ends when
    // a line holds fewer, and drops what its last line holds after them.
    constexpr int per_row = 1 + end_count;
    std::vector<float> values;
    for (int row = 0; row < grid_points; ++row) {
        int taken = 0;
        while (taken < per_row) {
            if (!std::getline(in, line)) throw std::runtime_error(path + ": fewer than 62 rows");
            line.erase(std::min(line.find('\r'), line.size()));  // a CR ends the usable text
            for (char& c : line)
                if (c == ',' || c == '\t') c = ' ';
            std::istringstream words(line);
            std::string word;
            while (taken < per_row && words >> word) values.push_back(read_number(word)), ++taken;
        }
    }

    BeltTable table{};
    for (int i = 0; i < grid_points; ++i) {
        table.grid[i] = values[i * per_row];
        for (int k = 0; k < end_count; ++k) table.ends[k][i] = values[i * per_row + 1 + k];
    }
    return table;
}

}  // namespace fcbelt
