// fcbelt verify, run as a command on the shipped table and on a spoiled copy.

#include "belt/accuracy.hpp"
#include "belt/grid_search.hpp"
#include "belt/table_file.hpp"
#include "belt_test_support.hpp"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cfloat>
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

// The errors the report gives for a column: absolute on either side of
// x0 = -5, then relative from 10 up (each followed by where).
struct ReportedErrors {
    double absolute = -1;
    double relative = -1;
};

ReportedErrors reported_errors(const std::string& report, const std::string& column) {
    // strtod, since a runaway error is written as inf or nan.
    const std::string fields = report_line(report, column).substr(column.size());
    const char* p = fields.c_str();
    double numbers[5] = {-1, -1, -1, -1, -1};
    for (double& number : numbers) {
        char* end = nullptr;
        number = std::strtod(p, &end);
        if (end == p) break;
        p = end;
    }
    const double far = std::isnan(numbers[4]) ? HUGE_VAL : numbers[4];
    return {std::fmax(numbers[0], numbers[2]), far};
}

std::string temp_path(const char* name) {
    return ::testing::TempDir() + "fcbelt_" + name + "_" + std::to_string(::getpid());
}

// One entry of the 95 % upper column (the seventh number of a row) off by
// 0.01: verify fails and shows an error of that size in that column only.
TEST(FcbeltVerify, FindsASpoiledEntry) {
    std::istringstream in(file_bytes(NORVEX_SHIPPED_TABLE));
    std::string text, line;
    for (int i = 0; std::getline(in, line); ++i) {
        if (i == fcbelt::header_records + 10) {
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
    const std::string path = temp_path("spoiled");
    std::ofstream(path, std::ios::binary) << text;

    const auto r = fcbelt("verify " + path);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("MISSES THE TARGET"), std::string::npos) << r.out;
    for (const std::string column : column_names) {
        ASSERT_NE(report_line(r.out, column), "") << column << " missing from\n" << r.out;
        const double error = reported_errors(r.out, column).absolute;
        if (column == "95.00% upper") {
            EXPECT_GT(error, 5e-3) << report_line(r.out, column);
            EXPECT_LT(error, 1.1e-2) << report_line(r.out, column);
        } else {
            EXPECT_GE(error, 0.0) << report_line(r.out, column);
            EXPECT_LE(error, fcbelt::near_tolerance) << report_line(r.out, column);
        }
    }
    std::remove(path.c_str());
}

// The shipped grid ending at 1024 instead of the top, tabulated exactly:
// the parabola through the last three rows runs away beyond 1024, and
// verify says so.
TEST(FcbeltVerify, FindsAFarRightThatRunsAway) {
    std::vector<float> grid = fcbelt::read_grid_file(NORVEX_SHIPPED_GRID);
    grid.back() = 1024.0f;
    const fcbelt::BeltTable table = fcbelt::tabulate(grid);
    const std::string path = temp_path("short_grid");
    std::ofstream(path, std::ios::binary) << fcbelt::table_text(table, fcbelt::TableAccuracy{});

    const auto r = fcbelt("verify " + path);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("MISSES THE TARGET"), std::string::npos) << r.out;
    double worst_relative = 0;
    for (const std::string column : column_names)
        worst_relative = std::fmax(worst_relative, reported_errors(r.out, column).relative);
    EXPECT_GT(worst_relative, 1e-3) << r.out;
    std::remove(path.c_str());
}

// Each target alone decides: a table that misses any one of them fails.
TEST(TableAccuracy, MeetsTheTargetsOnlyWhenAllAreMet) {
    using fcbelt::TableAccuracy;
    const auto with = [](auto change) {
        TableAccuracy accuracy;
        change(accuracy);
        return accuracy.meets_targets();
    };
    EXPECT_TRUE(with([](TableAccuracy&) {}));
    EXPECT_TRUE(with([](TableAccuracy& a) {
        a.near[3].worst = fcbelt::near_tolerance;
        a.deepest.worst = -fcbelt::dip_tolerance;
    }));
    EXPECT_FALSE(with([](TableAccuracy& a) { a.left[7].worst = 1.01 * fcbelt::near_tolerance; }));
    EXPECT_FALSE(with([](TableAccuracy& a) { a.near[0].worst = 1.01 * fcbelt::near_tolerance; }));
    EXPECT_FALSE(with([](TableAccuracy& a) { a.far[5].worst = 1.01 * fcbelt::far_tolerance; }));
    EXPECT_FALSE(with([](TableAccuracy& a) { a.far[2].worst = std::nan(""); }));
    EXPECT_FALSE(with([](TableAccuracy& a) { a.near[6].worst = std::nan(""); }));
    EXPECT_FALSE(with([](TableAccuracy& a) { a.deepest.worst = -1.01 * fcbelt::dip_tolerance; }));
    EXPECT_FALSE(with([](TableAccuracy& a) { a.disordered = 1; }));
}

// A kink's close left neighbour moved out to 1/256: the dip just left of
// the kink deepens far past the target, and the measure finds it.
TEST(TableAccuracy, FindsALowerEndBelowZero) {
    std::vector<float> grid = fcbelt::read_grid_file(NORVEX_SHIPPED_GRID);
    const float kink = fcbelt::kink_grid_value(fcbelt::lower_end_leaves_zero(fcbelt::levels()[3]));
    const auto at = std::find(grid.begin(), grid.end(), kink);
    ASSERT_NE(at, grid.end());
    ASSERT_LT(at[-2], kink - 1.0f / 256);
    at[-1] = kink - 1.0f / 256;
    const fcbelt::TableAccuracy accuracy = fcbelt::measure_table(fcbelt::tabulate(grid));
    EXPECT_LT(accuracy.deepest.worst, -10 * fcbelt::dip_tolerance);
    EXPECT_LT(accuracy.deepest.at, kink);
    EXPECT_GT(accuracy.deepest.at, kink - 1.0f / 256);
    EXPECT_FALSE(accuracy.meets_targets());
}

TEST(FcbeltVerify, ReportsAMissingFileOrBadUsage) {
    EXPECT_EQ(fcbelt("verify /nonexistent/fc_tab10.dat").status, 1);
    EXPECT_EQ(fcbelt("write /nonexistent/fc_grid.txt").status, 1);
    // Before the long search, not after it.
    EXPECT_EQ(fcbelt("search /nonexistent/dir/fc_grid.txt").status, 1);
    EXPECT_EQ(fcbelt("write").status, 2);
    EXPECT_EQ(fcbelt("search").status, 2);
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

    const double from = fcbelt::near_range.from;
    const auto exact = data_rows(dir + "/belt_exact.dat");
    ASSERT_EQ(exact.size(), std::size_t(std::lround((8 - from) / 0.01)) + 1);  // to 8 in steps of 0.01
    EXPECT_EQ(exact.front()[0], from);
    for (const auto& row : exact) {
        ASSERT_EQ(row.size(), 9u);
        for (int k = 1; k < 9; k += 2) EXPECT_LE(row[k], row[k + 1]);  // lower below upper
    }

    const fcbelt::BeltTable table = fcbelt::read_table_file(NORVEX_SHIPPED_TABLE);
    const auto grid = data_rows(dir + "/belt_grid.dat");
    std::size_t shown = 0;
    for (float x : table.grid) shown += x >= from && x <= 8;
    ASSERT_EQ(grid.size(), shown);
    for (std::size_t i = 0; i < grid.size(); ++i) {
        EXPECT_EQ(static_cast<float>(grid[i][0]), table.grid[i]);
        EXPECT_EQ(static_cast<float>(grid[i][8]), table.ends[7][i]);
    }

    // Absolute errors up to 10, relative ones from there to the largest REAL.
    struct Errors {
        const char* file;
        std::size_t rows;
        double first, last, target;
    };
    const Errors drawn[] = {
        {"belt_error.dat", std::size_t(std::lround((10 - from) / 0.0025)) + 1, from, 10, fcbelt::near_tolerance},
        {"belt_far_error.dat", 4001, 10, FLT_MAX, fcbelt::far_tolerance},
    };
    for (const Errors& e : drawn) {
        const auto errors = data_rows(dir + "/" + e.file);
        ASSERT_EQ(errors.size(), e.rows) << e.file;
        EXPECT_EQ(static_cast<float>(errors.front()[0]), static_cast<float>(e.first)) << e.file;
        EXPECT_EQ(static_cast<float>(errors.back()[0]), static_cast<float>(e.last)) << e.file;
        double worst = 0;
        for (const auto& row : errors)
            for (int k = 1; k < 9; ++k) worst = std::fmax(worst, std::fabs(row[k]));
        EXPECT_GT(worst, 0.0) << e.file;
        EXPECT_LE(worst, e.target) << e.file;
    }
    std::system(("rm -rf " + dir).c_str());
}

}  // namespace
