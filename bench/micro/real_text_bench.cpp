// One query's number texts: eight REALs as a result block has them, from
// the fixed form to both exponent forms, in a varied order so that no
// branch is learnt.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "textio/real_text.hpp"

namespace {

// Magnitudes 1e-4 .. 1e9 and both signs, with about one value in eight an
// exact zero, as the lower ends often are.
std::vector<float> result_values() {
    std::vector<float> v;
    std::uint32_t s = 12345;
    for (int i = 0; i < 1024; ++i) {
        s = s * 1664525u + 1013904223u;
        const float mantissa = 1.0f + static_cast<float>(s >> 8 & 0xffff) / 65536.0f;
        const int decade = static_cast<int>(s >> 24) % 14 - 4;
        const float value = mantissa * std::pow(10.0f, static_cast<float>(decade));
        v.push_back((s & 7) == 0 ? 0.0f : (s & 8) ? -value : value);
    }
    return v;
}

void BM_EightRealTexts(benchmark::State& state) {
    const std::vector<float> values = result_values();
    std::size_t i = 0;
    for (auto _ : state) {
        for (int k = 0; k < 8; ++k) {
            textio::RealText t = textio::real_text(values[i++ % values.size()]);
            benchmark::DoNotOptimize(t);
        }
    }
}
BENCHMARK(BM_EightRealTexts);

}  // namespace
