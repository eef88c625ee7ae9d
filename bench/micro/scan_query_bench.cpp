// Scanning one query: the program's list-directed read of two REALs, x and
// sigma(x), from a unit that holds "1.2 0.5\n"; and the same from the
// redirected console, which finds each line before it delivers it.

#include <benchmark/benchmark.h>

#include "bench/micro/held_lines.hpp"
#include "calc/query.hpp"

namespace {

void BM_ScanQueryLine(benchmark::State& state) {
    textio::InputUnit unit = bench::unit_holding("1.2 0.5\n", false);
    norvex::Measurement m;
    for (auto _ : state) {
        unit.position = 0;
        norvex::read_measurement(unit, m);
        benchmark::DoNotOptimize(m);
    }
    if (m.x != 1.2f || m.sigma != 0.5f) state.SkipWithError("the line did not scan to 1.2 and 0.5");
}
BENCHMARK(BM_ScanQueryLine);

// Lines in the forms users type; the unit is rewound when its lines are
// used up.
void BM_ScanConsoleQuery(benchmark::State& state) {
    textio::InputUnit unit = bench::unit_holding(bench::query_lines(210), true);
    norvex::Measurement m;
    for (auto _ : state) {
        if (unit.end == unit.held) bench::rewind(unit);
        norvex::read_measurement(unit, m);
        benchmark::DoNotOptimize(m);
    }
}
BENCHMARK(BM_ScanConsoleQuery);

}  // namespace
