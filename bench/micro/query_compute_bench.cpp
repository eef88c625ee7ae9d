// A whole query's computation short of its output records: the scan of
// its line, r = x / sigma(x), eight interpolations scaled by sigma(x), and
// the texts of the eight results. It must stay far below the cost of one
// write request.

#include <benchmark/benchmark.h>

#include <string>

#include "bench/micro/belt_columns.hpp"
#include "bench/micro/held_lines.hpp"
#include "mathlib/divdif.hpp"
#include "textio/list_read.hpp"
#include "textio/real_text.hpp"

namespace {

void BM_QueryComputation(benchmark::State& state) {
    const bench::BeltColumns& b = bench::belt_columns();
    const char* forms[] = {"1.2 0.5\n", "3.25,0.7\n", "1.500000E+00 2.500E-01\n", "  0.125   4.0000\n",
                           "-0.8371422, 3.12e-01\n", "12.5 1.25\n", "0.03 0.015\n"};
    std::string text;
    for (int i = 0; i < 210; ++i) text += forms[i % 7];
    textio::InputUnit unit = bench::unit_holding(text, true);
    float x = 0, sigma = 0;
    for (auto _ : state) {
        if (unit.end == unit.held) bench::rewind(unit);
        textio::ListRead query(unit);
        query.item(x);
        query.item(sigma);
        query.finish();
        const float r = x / sigma;
        for (const auto& column : b.ends) {
            const float end = DIVDIF(column.data(), b.grid.data(), bench::belt_points, r, 2) * sigma;
            textio::RealText t = textio::real_text(end);
            benchmark::DoNotOptimize(t);
        }
    }
}
BENCHMARK(BM_QueryComputation);

}  // namespace
