#include "belt/table_file.hpp"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>

namespace {

using namespace fcbelt;

std::string temp_path(const char* name) {
    return ::testing::TempDir() + "fcbelt_" + name + "_" + std::to_string(::getpid());
}

void write_file(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// Grid i and column k entry of a made-up table: distinct, exact in binary.
float made_up(int i, int k) { return static_cast<float>(i) + 0.125f * static_cast<float>(k); }

BeltTable made_up_table() {
    BeltTable table{};
    for (int i = 0; i < grid_points; ++i) {
        table.grid[i] = made_up(i, 0);
        for (int k = 0; k < end_count; ++k) table.ends[k][i] = made_up(i, k + 1);
    }
    return table;
}

TEST(TableFile, WritesHeaderAndRows) {
    const std::string text = table_text(made_up_table(), TableAccuracy{});
    EXPECT_EQ(text.find('\r'), std::string::npos);
    int lines = 0;
    for (std::size_t at = 0, end; at < text.size(); at = end + 1, ++lines) {
        end = text.find('\n', at);
        ASSERT_NE(end, std::string::npos) << "the last line ends in LF";
        if (lines < header_records) {
            EXPECT_LE(end - at, std::size_t(header_width));
        }
    }
    EXPECT_EQ(lines, header_records + grid_points);
    EXPECT_NE(text.find(write_command), std::string::npos);
}

TEST(TableFile, ReadsBackWhatItWrites) {
    const std::string path = temp_path("roundtrip");
    const BeltTable table = made_up_table();
    write_file(path, table_text(table, TableAccuracy{}));
    const BeltTable read = read_table_file(path);
    EXPECT_EQ(read.grid, table.grid);
    EXPECT_EQ(read.ends, table.ends);
    std::remove(path.c_str());
}

// The program's reading: a row may go on over a line end; what follows
// its ninth value on that line is dropped; CR LF ends a line like LF, and
// text after a CR is not read.
TEST(TableFile, ReadsRowsTheWayTheProgramDoes) {
    std::string text;
    for (int i = 0; i < header_records; ++i) text.append("header\r\n");
    for (int i = 0; i < grid_points; ++i) {
        for (int k = 0; k <= end_count; ++k) {
            const char* separator = " ";
            if (i == 3 && k == 4) separator = "\n";  // the row goes on on the next line
            if (i == 6 && k == 1) separator = ",";
            text.append(separator);
            text.append(std::to_string(made_up(i, k)));
        }
        if (i == 4) text.append(" 99.5 -7");  // values after the ninth
        if (i == 5) text.append("\r 42");     // text after a CR
        text.append(i % 2 ? "\r\n" : "\n");
    }
    const std::string path = temp_path("program_way");
    write_file(path, text);
    const BeltTable read = read_table_file(path);
    for (int i = 0; i < grid_points; ++i) {
        EXPECT_EQ(read.grid[i], made_up(i, 0)) << "row " << i;
        for (int k = 0; k < end_count; ++k) EXPECT_EQ(read.ends[k][i], made_up(i, k + 1)) << "row " << i;
    }
    std::remove(path.c_str());
}

// A table the program cannot read ends the run with the program's own
// stop report, naming the file; one that cannot be opened is the tool's
// error.
TEST(TableFile, StopsOnShortOrBrokenTables) {
    const std::string full = table_text(made_up_table(), TableAccuracy{});
    struct Case {
        const char* name;
        std::string text;
        const char* report;
    };
    std::string broken = full;
    broken.replace(broken.find("1.00000000"), 10, "1.00000O00");
    const Case cases[] = {
        {"no_last_row", full.substr(0, full.rfind('\n', full.size() - 2) + 1), "run-time error F6501"},
        {"three_records", "only\nthree\nrecords\n", "run-time error F6501"},
        {"broken_number", broken, "run-time error F6103"},
    };
    for (const Case& c : cases) {
        const std::string path = temp_path(c.name);
        write_file(path, c.text);
        EXPECT_EXIT(read_table_file(path), ::testing::ExitedWithCode(1), c.report + (".*" + path)) << c.name;
        std::remove(path.c_str());
    }
    EXPECT_THROW(read_table_file(temp_path("never_written")), std::runtime_error);
}

// The stored grid: written and read back exactly, comments and all; a
// file with other than 62 values, or values not increasing, is refused
// before anything is tabulated.
TEST(GridFile, ReadsBackWhatItWritesAndRefusesABrokenGrid) {
    std::vector<float> grid;
    for (int i = 0; i < grid_points; ++i) grid.push_back(made_up(i, 0) - 7.3f + 1e-3f * static_cast<float>(i * i));
    grid.back() = std::nextafter(FLT_MAX, 0.0f);
    const std::string path = temp_path("grid");
    write_grid_file(path, grid);
    EXPECT_EQ(read_grid_file(path), grid);

    std::string text;
    for (int i = 0; i < grid_points; ++i) text += std::to_string(i) + "\n";
    const std::string bad[] = {
        text.substr(0, text.rfind('\n', text.size() - 2) + 1),  // 61 values
        text + "62\n",                                          // 63
        "# a comment\n" + std::string("5\n") + text.substr(text.find('\n') + 1),  // 5 before 1
    };
    for (const std::string& b : bad) {
        write_file(path, b);
        EXPECT_THROW(read_grid_file(path), std::runtime_error) << b.substr(0, 20);
    }
    write_file(path, "# a comment\n" + text);
    EXPECT_EQ(read_grid_file(path).size(), std::size_t(grid_points));
    std::remove(path.c_str());
    EXPECT_THROW(read_grid_file(temp_path("no_grid")), std::runtime_error);
    EXPECT_THROW(write_grid_file("/nonexistent/dir/grid.txt", grid), std::runtime_error);
}

}  // namespace
