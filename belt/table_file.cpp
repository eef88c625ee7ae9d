#include "belt/table_file.hpp"

#include "belt/number_text.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
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
        "with sigma = 1, intervals ordered by the likelihood ratio. Columns: x0;",
        "lower and upper end at 68.27% (erf(1/sqrt2)), 90%, 95%, 99%. 62 rows.",
        formatted("DIVDIF order 2 on these REALs: max |error| %.1E on x0 in [%g, 10],",
                  accuracy.worst_absolute(), near_range.from),
        formatted("max relative error %.1E from x0 = 10 up to the largest REAL;", worst_of(accuracy.far), 0),
        formatted("lowest lower end %.1E. Below x0 = %g the ends run away.", accuracy.deepest.worst,
                  near_range.from),
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
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw std::runtime_error("cannot open " + path);
    textio::InputUnit unit = textio::make_input_unit(fd, path.c_str(), textio::table_block, false, false);
    norvex::BeltTable read{};
    norvex::read_belt_table(unit, read);
    ::close(fd);

    BeltTable table{};
    std::copy_n(read.grid(), grid_points, table.grid.begin());
    for (int k = 0; k < end_count; ++k) std::copy_n(read.ends(k), grid_points, table.ends[k].begin());
    return table;
}

}  // namespace fcbelt

namespace fcbelt {

void write_grid_file(const std::string& path, const std::vector<float>& grid) {
    std::string text =
        "# The table's grid, found by `fcbelt search`; `fcbelt write` tabulates\n"
        "# the exact belt on it.\n";
    for (float x : grid) text += number_text(x) + '\n';
    std::FILE* out = std::fopen(path.c_str(), "w");
    if (!out) throw std::runtime_error("cannot write " + path);
    const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
    if (std::fclose(out) != 0 || !written) throw std::runtime_error("cannot write " + path);
}

std::vector<float> read_grid_file(const std::string& path) {
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot open " + path);
    std::vector<float> grid;
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line[0] != '#') grid.push_back(read_number(line));
    if (grid.size() != std::size_t(grid_points)) throw std::runtime_error(path + ": not 62 grid values");
    for (std::size_t i = 1; i < grid.size(); ++i)
        if (!(grid[i - 1] < grid[i])) throw std::runtime_error(path + ": grid values not increasing");
    return grid;
}

}  // namespace fcbelt
