#include "belt/coverage.hpp"
#include "belt/levels.hpp"
#include "belt/table_file.hpp"
#include "belt_test_support.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace fcbelt;

using belt_test::normal_cdf;

// A table whose ends are straight lines x0 - below[k] and x0 + above[k],
// on a grid of binary fractions, so that every entry and every DIVDIF
// result is exact: the printed interval holds mu for x from mu - above to
// mu + below.
BeltTable straight_table(const double below[level_count], const double above[level_count]) {
    BeltTable table{};
    for (int i = 0; i < grid_points; ++i) {
        table.grid[i] = -8.0f + 0.5f * static_cast<float>(i);
        for (int k = 0; k < level_count; ++k) {
            table.ends[2 * k][i] = table.grid[i] - static_cast<float>(below[k]);
            table.ends[2 * k + 1][i] = table.grid[i] + static_cast<float>(above[k]);
        }
    }
    return table;
}

TEST(Coverage, OfStraightEnds) {
    const double below[level_count] = {1.0, 0.5, 2.0, 1.25};
    const double above[level_count] = {1.0, 2.0, 0.25, 3.0};
    const BeltTable table = straight_table(below, above);
    for (int k = 0; k < level_count; ++k) {
        for (double mu : {0.0, 1.5, 4.0, 10.0}) {
            // Below x = -5 nothing is counted.
            const double from = std::fmax(mu - above[k], lowest_measurement);
            const double expected = normal_cdf(below[k]) - normal_cdf(from - mu);
            EXPECT_NEAR(printed_coverage(table, k, mu), expected, 1e-6) << "level " << k << " mu=" << mu;
        }
    }
}

// A lower end that stays at zero up to a grid point c, and an upper end
// above zero from x = -5 on: at mu = 0 the interval holds zero for every
// x up to c.
TEST(Coverage, AtZeroReachesTheKink) {
    const double below[level_count] = {1.0, 1.0, 1.0, 1.0};
    const double above[level_count] = {6.0, 1.0, 1.0, 1.0};
    BeltTable table = straight_table(below, above);
    const float c = 1.5f;
    for (int i = 0; i < grid_points; ++i) table.ends[0][i] = std::fmax(0.0f, table.grid[i] - c);
    EXPECT_NEAR(printed_coverage(table, 0, 0.0), normal_cdf(c) - normal_cdf(lowest_measurement), 1e-6);
}

// The shipped table's intervals cover their levels closely wherever the
// true mean lies.
TEST(Coverage, OfTheShippedTableIsNominal) {
    const BeltTable table = read_table_file(NORVEX_SHIPPED_TABLE);
    for (int k = 0; k < level_count; ++k)
        for (int i = 0; i <= 120; ++i)
            EXPECT_NEAR(printed_coverage(table, k, 0.05 * i), levels()[k].cl, 3e-4)
                << levels()[k].name << " mu=" << 0.05 * i;
}

}  // namespace
