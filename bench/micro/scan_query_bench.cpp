// Scanning one query: a list-directed read of two REALs, x and sigma(x),
// from a unit that holds "1.2 0.5\n"; and the same from the redirected
// console, which finds each line before it delivers it.

#include <benchmark/benchmark.h>

#include <string>

#include "bench/micro/held_lines.hpp"
#include "textio/list_read.hpp"

namespace {

void scan_two_reals(textio::InputUnit& unit, float& x, float& sigma) {
    textio::ListRead query(unit);
    query.item(x);
    query.item(sigma);
    query.finish();
}

void BM_ScanQueryLine(benchmark::State& state) {
    textio::InputUnit unit = bench::unit_holding("1.2 0.5\n", false);
    float x = 0, sigma = 0;
    for (auto _ : state) {
        unit.position = 0;
        scan_two_reals(unit, x, sigma);
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(sigma);
    }
    if (x != 1.2f || sigma != 0.5f) state.SkipWithError("the line did not scan to 1.2 and 0.5");
}
BENCHMARK(BM_ScanQueryLine);

// Lines as the throughput benchmark's input has them; the unit is rewound
// when its lines are used up.
void BM_ScanConsoleQuery(benchmark::State& state) {
    const char* forms[] = {"1.2 0.5\n", "3.25,0.7\n", "1.500000E+00 2.500E-01\n", "  0.125   4.0000\n",
                           "-0.8371422, 3.12e-01\n"};
    std::string text;
    for (int i = 0; i < 200; ++i) text += forms[i % 5];
    textio::InputUnit unit = bench::unit_holding(text, true);
    float x = 0, sigma = 0;
    for (auto _ : state) {
        if (unit.end == unit.held) bench::rewind(unit);
        scan_two_reals(unit, x, sigma);
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(sigma);
    }
}
BENCHMARK(BM_ScanConsoleQuery);

}  // namespace
