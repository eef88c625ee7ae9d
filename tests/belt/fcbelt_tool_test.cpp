// fcbelt verify, run as a command on the shipped table and on a spoiled copy.

#include "belt/table_file.hpp"
#include "belt_test_support.hpp"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using belt_test::file_bytes;

belt_test::CommandRun fcbelt(const std::string& arguments) { return belt_test::run_fcbelt(arguments); }

constexpr const char* column_names[] = {"68.27% lower", "68.27% upper", "90.00% lower", "90.00% upper",
                                        "95.00% lower", "95.00% upper", "99.00% lower", "99.00% upper"};

// The line of the report for one column, e.g. "90.00% upper".
std::string report_line(const std::string& report, const std::string& column) {
    const auto at = report.find(column);
    return at == std::string::npos ? "" : report.substr(at, report.find('\n', at) - at);
}

// The verdict's other side: the shipped table (its accuracy and coverage
// are tested in-process) passes, and the tool says so with exit status 0.
TEST(FcbeltVerify, PassesTheShippedTable) {
    const auto r = fcbelt(std::string("verify ") + NORVEX_SHIPPED_TABLE);
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("the table meets the target"), std::string::npos) << r.out;
}

// The largest absolute error the report gives for a column.
double reported_error(const std::string& report, const std::string& column) {
    std::istringstream fields(report_line(report, column).substr(column.size()));
    double error = -1;
    fields >> error;
    return error;
}

// One entry of the 95 % upper column (the seventh number of a row) off by
// 0.01: verify fails and shows an error of that size in that column only.
TEST(FcbeltVerify, FindsASpoiledEntry) {
    std::istringstream in(file_bytes(NORVEX_SHIPPED_TABLE));
    std::string text, line;
    for (int i = 0; std::getline(in, line); ++i) {
        if (i == fcbelt::header_records + 20) {
            std::istringstream words(line);
            std::string word;
            line.clear();
            for (int k = 0; words >> word; ++k) {
                if (k == 6) word = std::to_string(std::stod(word) + 0.01);
                line += " " + word;
            }
        }
        text += line + "\n";
    }
    const std::string path = ::testing::TempDir() + "fcbelt_spoiled_" + std::to_string(::getpid());
    std::ofstream(path, std::ios::binary) << text;

    const auto r = fcbelt("verify " + path);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("MISSES THE TARGET"), std::string::npos) << r.out;
    for (const std::string column : column_names) {
        ASSERT_NE(report_line(r.out, column), "") << column << " missing from\n" << r.out;
        const double error = reported_error(r.out, column);
        if (column == "95.00% upper") {
            EXPECT_GT(error, 5e-3) << report_line(r.out, column);
            EXPECT_LT(error, 1.1e-2) << report_line(r.out, column);
        } else {
            EXPECT_GE(error, 0.0) << report_line(r.out, column);
            EXPECT_LT(error, 5e-4) << report_line(r.out, column);
        }
    }
    std::remove(path.c_str());
}

TEST(FcbeltVerify, ReportsAMissingFileOrBadUsage) {
    EXPECT_EQ(fcbelt("verify /nonexistent/fc_tab10.dat").status, 1);
    EXPECT_EQ(fcbelt("").status, 2);
    EXPECT_EQ(fcbelt("verify").status, 2);
}

std::vector<std::vector<double>> data_rows(const std::string& path) {
    std::vector<std::vector<double>> rows;
    std::istringstream in(file_bytes(path));
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::vector<double> row;
        for (double v; fields >> v;) row.push_back(v);
        rows.push_back(row);
    }
    return rows;
}

TEST(FcbeltPlotData, WritesTheBeltItsGridAndItsErrors) {
    const std::string dir = ::testing::TempDir() + "fcbelt_plot_" + std::to_string(::getpid());
    ASSERT_EQ(std::system(("mkdir -p " + dir).c_str()), 0);
    ASSERT_EQ(fcbelt(std::string("plot-data ") + NORVEX_SHIPPED_TABLE + " " + dir).status, 0);

    const auto exact = data_rows(dir + "/belt_exact.dat");
    ASSERT_EQ(exact.size(), 1301u);  // -5 to 8 in steps of 0.01
    for (const auto& row : exact) {
        ASSERT_EQ(row.size(), 9u);
        for (int k = 1; k < 9; k += 2) EXPECT_LE(row[k], row[k + 1]);  // lower below upper
    }

    const fcbelt::BeltTable table = fcbelt::read_table_file(NORVEX_SHIPPED_TABLE);
    const auto grid = data_rows(dir + "/belt_grid.dat");
    std::size_t shown = 0;
    for (float x : table.grid) shown += x >= -5 && x <= 8;
    ASSERT_EQ(grid.size(), shown);
    for (std::size_t i = 0; i < grid.size(); ++i) {
        EXPECT_EQ(static_cast<float>(grid[i][0]), table.grid[i]);
        EXPECT_EQ(static_cast<float>(grid[i][8]), table.ends[7][i]);
    }

    const auto errors = data_rows(dir + "/belt_error.dat");
    ASSERT_EQ(errors.size(), 6001u);  // -5 to 10 in steps of 0.0025
    double worst = 0;
    for (const auto& row : errors)
        for (int k = 1; k < 9; ++k) worst = std::fmax(worst, std::fabs(row[k]));
    EXPECT_GT(worst, 0.0);
    EXPECT_LE(worst, 5e-4);
    std::system(("rm -rf " + dir).c_str());
}

}  // namespace
