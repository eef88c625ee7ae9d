// DIVDIF's order-2 steps against its general routine, bit for bit: on a
// belt table file, on a random table whose grid runs from -20 up to the
// largest REAL, and on that grid reversed. For each table and each of its
// eight columns: every grid point and its two float neighbours, then
// random ratios (inside the grid, just past its ends, and any finite
// REAL). Prints what was compared and the mismatches; exit status 1 on
// any mismatch.
//
//   divdif_check TABLE_FILE [RATIOS]     (RATIOS per table, 10,000,000 by default)

#include <bit>
#include <cfloat>
#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "belt/table_file.hpp"
#include "mathlib/divdif.hpp"

namespace {

using fcbelt::BeltTable;
using fcbelt::grid_points;

struct Tally {
    std::uint64_t compared = 0;
    std::uint64_t mismatches = 0;

    void check(const BeltTable& table, float x) {
        for (const auto& column : table.ends) {
            const float fast = divdif_order_2(column.data(), table.grid.data(), grid_points, x);
            const float general = divdif_any_order(column.data(), table.grid.data(), grid_points, x,
                                                   fcbelt::interpolation_order);
            ++compared;
            if (std::bit_cast<std::uint32_t>(fast) == std::bit_cast<std::uint32_t>(general)) continue;
            if (mismatches++ < 10)
                std::printf("  mismatch at x = %a: %a, the general routine %a\n", double(x), double(fast),
                            double(general));
        }
    }
};

// A grid from -20 with steps of every size from 1e-3 to 10, its last point
// the largest REAL; ends of both signs over many decades.
BeltTable random_table(std::mt19937_64& random) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    BeltTable t;
    float x = -20.0f;
    for (int i = 0; i < grid_points; ++i) {
        t.grid[i] = x;
        x = std::nextafter(x + static_cast<float>(std::pow(10.0, -3.0 + 4.0 * unit(random))), FLT_MAX);
    }
    t.grid[grid_points - 1] = FLT_MAX;
    for (auto& column : t.ends)
        for (float& e : column)
            e = static_cast<float>((unit(random) - 0.3) * std::pow(10.0, -2.0 + 6.0 * unit(random)));
    return t;
}

BeltTable reversed(const BeltTable& t) {
    BeltTable r;
    for (int i = 0; i < grid_points; ++i) {
        r.grid[i] = t.grid[grid_points - 1 - i];
        for (std::size_t k = 0; k < t.ends.size(); ++k) r.ends[k][i] = t.ends[k][grid_points - 1 - i];
    }
    return r;
}

Tally check_table(const char* name, const BeltTable& t, std::uint64_t ratios, std::mt19937_64& random) {
    std::printf("%s: grid %g .. %g\n", name, double(t.grid.front()), double(t.grid.back()));
    Tally tally;
    for (const float g : t.grid)
        for (const float x : {g, std::nextafter(g, -FLT_MAX), std::nextafter(g, FLT_MAX)})
            tally.check(t, x);

    // A third inside the grid's ordinary part (short of a last point that
    // may be the largest REAL), a third just past either end, a third any
    // finite REAL at all.
    const double lo = std::fmin(t.grid.front(), t.grid.back());
    const double inner_hi = std::fmax(t.grid[1], t.grid[grid_points - 2]);
    const double hi = std::fmax(t.grid.front(), t.grid.back());
    std::uniform_real_distribution<double> inside(lo, inner_hi);
    std::uniform_real_distribution<double> margin(0.0, 5.0);
    for (std::uint64_t i = 0; i < ratios; ++i) {
        float x = 0;
        switch (i % 3) {
        case 0: x = static_cast<float>(inside(random)); break;
        case 1: x = static_cast<float>(i % 2 ? lo - margin(random) : std::fmin(hi + margin(random), FLT_MAX)); break;
        default:
            do x = std::bit_cast<float>(static_cast<std::uint32_t>(random()));
            while (!std::isfinite(x));
        }
        tally.check(t, x);
    }
    std::printf("  %" PRIu64 " interpolations compared, %" PRIu64 " mismatches\n", tally.compared,
                tally.mismatches);
    return tally;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fputs("usage: divdif_check TABLE_FILE [RATIOS]\n", stderr);
        return 2;
    }
    const std::uint64_t ratios = argc == 3 ? std::strtoull(argv[2], nullptr, 10) : 10'000'000;
    std::mt19937_64 random(20261211);
    const BeltTable file = fcbelt::read_table_file(argv[1]);
    const BeltTable made_up = random_table(random);
    std::uint64_t mismatches = 0;
    mismatches += check_table(argv[1], file, ratios, random).mismatches;
    mismatches += check_table("random table", made_up, ratios, random).mismatches;
    mismatches += check_table("random table, reversed", reversed(made_up), ratios, random).mismatches;
    std::printf("divdif_check: %s\n", mismatches == 0 ? "no mismatches" : "MISMATCHES");
    return mismatches == 0 ? 0 : 1;
}
