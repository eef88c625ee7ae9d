// One query's interpolations: the eight columns at one ratio, as norvex
// computes them, over ratios spread across the grid and a little beyond.

#include <benchmark/benchmark.h>

#include <vector>

#include "bench/micro/belt_columns.hpp"

namespace {

std::vector<float> ratios(const fcbelt::BeltTable& b) {
    const float lo = b.grid.front(), hi = b.grid.back();
    std::vector<float> r;
    for (int i = 0; i < 256; ++i)
        r.push_back(lo - 0.5f + (hi - lo + 1.0f) * static_cast<float>((i * 97) % 256) / 256.0f);
    return r;
}

void BM_EightDivdif(benchmark::State& state) {
    const fcbelt::BeltTable& b = bench::shipped_belt();
    const std::vector<float> r = ratios(b);
    std::size_t i = 0;
    for (auto _ : state) {
        auto ends = fcbelt::interpolate(b, r[i++ % r.size()]);
        benchmark::DoNotOptimize(ends);
    }
    state.SetLabel("shipped table");
}
BENCHMARK(BM_EightDivdif);

}  // namespace
