#include "belt/table_file.hpp"

#include "belt/number_text.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
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
