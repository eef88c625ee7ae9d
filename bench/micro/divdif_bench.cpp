// One query's interpolations: the eight columns at one ratio, as norvex
// computes them, over ratios spread across the grid and a little beyond.

#include <benchmark/benchmark.h>

#include <vector>

#include "bench/micro/belt_columns.hpp"
#include "mathlib/divdif.hpp"

namespace {

std::vector<float> ratios(const bench::BeltColumns& b) {
    const float lo = b.grid.front(), hi = b.grid.back();
    std::vector<float> r;
    for (int i = 0; i < 256; ++i)
        r.push_back(lo - 0.5f + (hi - lo + 1.0f) * static_cast<float>((i * 97) % 256) / 256.0f);
    return r;
}

void BM_EightDivdif(benchmark::State& state) {
    const bench::BeltColumns& b = bench::belt_columns();
    const std::vector<float> r = ratios(b);
    std::size_t i = 0;
    for (auto _ : state) {
        const float at = r[i++ % r.size()];
        for (const auto& column : b.ends) {
            float v = DIVDIF(column.data(), b.grid.data(), bench::belt_points, at, 2);
            benchmark::DoNotOptimize(v);
        }
    }
    state.SetLabel(b.shipped ? "shipped table" : "synthetic table");
}
BENCHMARK(BM_EightDivdif);

}  // namespace
