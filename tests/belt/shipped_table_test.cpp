// The table the program ships: what fcbelt writes, byte for byte, and as
// accurate as promised when the program interpolates it.

#include "belt/confidence.hpp"
#include "belt/grid_search.hpp"
#include "belt/number_text.hpp"
#include "belt/table_file.hpp"
#include "belt_test_support.hpp"
#include "number_form.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace fcbelt;
using belt_test::file_bytes;

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST(ShippedTable, IsWhatTheToolWrites) {
    const std::string shipped = file_bytes(NORVEX_SHIPPED_TABLE);
    ASSERT_FALSE(shipped.empty());
    const belt_test::CommandRun written = belt_test::run_fcbelt("write");
    EXPECT_EQ(written.status, 0);
    EXPECT_TRUE(written.out == shipped) << "data/fc_tab10.dat differs from `" << write_command << "`";
}

TEST(ShippedTable, Layout) {
    const std::string text = file_bytes(NORVEX_SHIPPED_TABLE);
    EXPECT_EQ(text.find('\r'), std::string::npos);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.back(), '\n');
    const auto lines = lines_of(text);
    ASSERT_EQ(lines.size(), std::size_t(header_records + grid_points));
    for (int i = 0; i < header_records; ++i) EXPECT_LE(lines[i].size(), std::size_t(header_width)) << lines[i];

    for (int i = header_records; i < static_cast<int>(lines.size()); ++i) {
        std::istringstream words(lines[i]);
        std::vector<std::string> row;
        for (std::string word; words >> word;) row.push_back(word);
        ASSERT_EQ(row.size(), std::size_t(1 + end_count)) << lines[i];
        for (const std::string& word : row) EXPECT_TRUE(is_written_number(word)) << word;
    }
}

// The entries are the exact belt at the grid values, each rounded once to
// a REAL; the grid is strictly increasing, from -5 to past 1000, with a
// point on every kink where a lower end leaves zero.
TEST(ShippedTable, HoldsTheExactBeltAtItsGrid) {
    const BeltTable table = read_table_file(NORVEX_SHIPPED_TABLE);
    for (int i = 0; i < grid_points; ++i) {
        if (i > 0) {
            EXPECT_LT(table.grid[i - 1], table.grid[i]);
        }
        const BeltRow row = belt_row(table.grid[i]);
        for (int k = 0; k < end_count; ++k) EXPECT_EQ(table.ends[k][i], static_cast<float>(row[k])) << i << " " << k;
    }
    EXPECT_LE(table.grid.front(), -5.0f);
    EXPECT_GE(table.grid.back(), 1000.0f);
    // Each kink's grid value is the last REAL not above it, where the lower
    // end is still exactly zero; the next one up has left zero.
    for (int k = 0; k < level_count; ++k) {
        const double kink = lower_end_leaves_zero(levels()[k]);
        const auto at = std::find(table.grid.begin(), table.grid.end(), kink_grid_value(kink));
        ASSERT_NE(at, table.grid.end()) << levels()[k].name;
        EXPECT_LE(*at, kink);
        EXPECT_GT(std::nextafter(*at, 10.0f), kink);
        const auto i = at - table.grid.begin();
        EXPECT_EQ(table.ends[2 * k][i], 0.0f);
        EXPECT_GT(table.ends[2 * k][i + 1], 0.0f);
    }
}

// The program's interpolation of the file's REALs with sigma = 1 against
// the exact belt: on x0 values of their own (an odd step, the kinks and
// their close neighbours), not the tool's.
TEST(ShippedTable, InterpolatesWithinTheTarget) {
    const BeltTable table = read_table_file(NORVEX_SHIPPED_TABLE);
    const auto program = [&](float x, int k) { return interpolate_end(table, k, x); };

    std::vector<float> near;
    for (int i = 0; i <= 21011; ++i) near.push_back(static_cast<float>(-5.0 + 15.0 * i / 21011));
    for (const Level& level : levels()) {
        const double kink = lower_end_leaves_zero(level);
        for (double d = 1e-7; d < 0.05; d *= 1.5) {
            near.push_back(static_cast<float>(kink - d));
            near.push_back(static_cast<float>(kink + d));
        }
    }
    double worst = 0;
    float worst_at = 0;
    for (float x : near) {
        const BeltRow exact = belt_row(x);
        for (int k = 0; k < end_count; ++k) {
            const double error = std::fabs(program(x, k) - exact[k]);
            if (error > worst) worst = error, worst_at = x;
        }
    }
    EXPECT_LE(worst, 5e-4) << "at x0 = " << worst_at;

    double worst_relative = 0;
    for (int i = 0; i <= 4001; ++i) {
        const float x = static_cast<float>(10.0 * std::pow(100.0, double(i) / 4001));
        const BeltRow exact = belt_row(x);
        for (int k = 0; k < end_count; ++k)
            worst_relative = std::fmax(worst_relative, std::fabs(program(x, k) - exact[k]) / std::fabs(exact[k]));
    }
    EXPECT_LE(worst_relative, 1e-6);
}

}  // namespace
