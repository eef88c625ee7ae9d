// The table the program ships: what fcbelt writes, byte for byte, and as
// accurate as promised when the program interpolates it.

#include "belt/accuracy.hpp"
#include "belt/confidence.hpp"
#include "belt/grid_search.hpp"
#include "belt/number_text.hpp"
#include "belt/table_file.hpp"
#include "belt_test_support.hpp"
#include "number_form.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
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

// The long grid search is run by hand; tabulating its stored grid is not.
TEST(ShippedTable, IsWhatTheToolWritesOnTheStoredGrid) {
    const std::string shipped = file_bytes(NORVEX_SHIPPED_TABLE);
    ASSERT_FALSE(shipped.empty());
    const belt_test::CommandRun written = belt_test::run_fcbelt(std::string("write ") + NORVEX_SHIPPED_GRID);
    EXPECT_EQ(written.status, 0);
    EXPECT_TRUE(written.out == shipped) << "data/fc_tab10.dat differs from `" << write_command << "`";
    const BeltTable table = read_table_file(NORVEX_SHIPPED_TABLE);
    EXPECT_EQ(read_grid_file(NORVEX_SHIPPED_GRID), std::vector<float>(table.grid.begin(), table.grid.end()));
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
// a REAL; the grid is strictly increasing, from the start of the checked
// range to the REAL below the largest, with a point on every kink where a lower end
// leaves zero.
TEST(ShippedTable, HoldsTheExactBeltAtItsGrid) {
    const BeltTable table = read_table_file(NORVEX_SHIPPED_TABLE);
    for (int i = 0; i < grid_points; ++i) {
        if (i > 0) {
            EXPECT_LT(table.grid[i - 1], table.grid[i]);
        }
        const BeltRow row = belt_row(table.grid[i]);
        for (int k = 0; k < end_count; ++k) EXPECT_EQ(table.ends[k][i], static_cast<float>(row[k])) << i << " " << k;
    }
    EXPECT_EQ(table.grid.front(), static_cast<float>(near_range.from));
    // No ratio but the largest is extrapolated on the right, and on the
    // last row every end is the grid value itself.
    EXPECT_EQ(table.grid.back(), std::nextafter(FLT_MAX, 0.0f));
    for (int k = 0; k < end_count; ++k) EXPECT_EQ(table.ends[k].back(), table.grid.back());
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
// the exact belt, on x0 values of their own (an odd step, the kinks and
// their close neighbours, log-spaced ratios up to the largest REAL), not
// the tool's; the far right against x0 -+ z computed here.
TEST(ShippedTable, InterpolatesWithinTheTargets) {
    const BeltTable table = read_table_file(NORVEX_SHIPPED_TABLE);

    std::vector<float> near;
    for (int i = 0; i <= 21011; ++i)
        near.push_back(static_cast<float>(near_range.from + (10.0 - near_range.from) * i / 21011));
    for (double kink : belt_test::one_sided_z) {
        for (double d = 1e-7; d < 0.05; d *= 1.05) {
            near.push_back(static_cast<float>(kink - d));
            near.push_back(static_cast<float>(kink + d));
        }
    }
    double worst = 0, lowest = 0;
    float worst_at = 0, lowest_at = 0;
    for (float x : near) {
        const BeltRow exact = belt_row(x);
        const auto got = interpolate(table, x);
        for (int k = 0; k < end_count; ++k) {
            const double error = std::fabs(got[k] - exact[k]);
            if (error > worst) worst = error, worst_at = x;
            if (k % 2 == 0 && got[k] < lowest) lowest = got[k], lowest_at = x;
        }
    }
    EXPECT_LE(worst, near_tolerance) << "at x0 = " << worst_at;
    EXPECT_GE(lowest, -dip_tolerance) << "at x0 = " << lowest_at;

    std::vector<float> far{FLT_MAX, std::nextafter(FLT_MAX, 0.0f), 10.0f};
    for (int i = 0; i <= 40001; ++i) far.push_back(static_cast<float>(10.0 * std::pow(FLT_MAX / 10.0, i / 40001.0)));
    double worst_relative = 0;
    float relative_at = 0;
    for (float x : far) {
        const auto got = interpolate(table, x);
        for (int k = 0; k < level_count; ++k) {
            const double z = belt_test::two_sided_z[k];
            EXPECT_LE(got[2 * k], got[2 * k + 1]) << x;
            const double lower = std::fabs(got[2 * k] - (x - z)) / (x - z);
            const double upper = std::fabs(got[2 * k + 1] - (x + z)) / (x + z);
            if (std::fmax(lower, upper) > worst_relative) worst_relative = std::fmax(lower, upper), relative_at = x;
        }
    }
    EXPECT_LE(worst_relative, far_tolerance) << "at x0 = " << relative_at;
}

}  // namespace
