// A whole query's computation short of its output records: the scan of
// its line, then the program's own r = x / sigma(x), eight interpolations
// scaled by sigma(x), and the texts of the eight results. It must stay far
// below the cost of one write request.

#include <benchmark/benchmark.h>

#include "bench/micro/belt_columns.hpp"
#include "bench/micro/held_lines.hpp"
#include "calc/query.hpp"
#include "textio/real_text.hpp"

namespace {

// The shipped table's columns in the layout the program keeps them.
norvex::BeltTable program_belt(const fcbelt::BeltTable& shipped) {
    static_assert(fcbelt::grid_points == norvex::grid_points);
    static_assert(fcbelt::end_count + 1 == norvex::belt_columns);
    norvex::BeltTable belt;
    for (int i = 0; i < norvex::grid_points; ++i) {
        belt.column[0][i] = shipped.grid[i];
        for (int k = 0; k < fcbelt::end_count; ++k) belt.column[k + 1][i] = shipped.ends[k][i];
    }
    return belt;
}

void BM_QueryComputation(benchmark::State& state) {
    static const norvex::BeltTable belt = program_belt(bench::shipped_belt());
    textio::InputUnit unit = bench::unit_holding(bench::query_lines(210), true);
    norvex::Measurement m;
    norvex::Limits limits;
    for (auto _ : state) {
        if (unit.end == unit.held) bench::rewind(unit);
        norvex::read_measurement(unit, m);
        norvex::compute_limits(belt, m, limits);
        for (const float end : limits.end) {
            textio::RealText t = textio::real_text(end);
            benchmark::DoNotOptimize(t);
        }
        textio::RealText t = textio::real_text(limits.stored_last_end());
        benchmark::DoNotOptimize(t);
    }
}
BENCHMARK(BM_QueryComputation);

}  // namespace
