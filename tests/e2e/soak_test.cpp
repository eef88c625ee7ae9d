// A long run through a pipe: a million queries in flat memory, and the
// same bytes out for the same bytes in.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "dialogue_text.hpp"
#include "norvex_process.hpp"

namespace {

std::string queries(int count) {
    std::string input;
    input.reserve(static_cast<std::size_t>(count) * 16);
    unsigned state = 12345;
    for (int i = 0; i < count; ++i) {
        state = state * 1103515245u + 12345u;
        const int x = static_cast<int>(state >> 16) % 2000 - 500;   // -5.00 .. 14.99
        const int sigma = 1 + static_cast<int>(state >> 8) % 300;   // 0.01 .. 3.00
        char line[32];
        std::snprintf(line, sizeof line, "%.2f %.2f\n", x / 100.0, sigma / 100.0);
        input += line;
    }
    return input;
}

TEST(Soak, MillionQueriesInFlatMemory) {
    e2e::WorkDir dir;
    dir.install_shipped_table();
    e2e::RunOptions to_file;
    to_file.output = e2e::Feed::file;
    to_file.measure_peak_rss = true;

    const e2e::Outcome small = e2e::run(dir, queries(1000), to_file);
    const std::string input = queries(1000000);
    const e2e::Outcome first = e2e::run(dir, input, to_file);
    const e2e::Outcome second = e2e::run(dir, input, to_file);

    EXPECT_EQ(first.err, e2e::end_of_input_report);
    EXPECT_TRUE(first.out == second.out);
    // A thousand times the queries, the same peak memory (within 1 MiB).
    ASSERT_GT(small.peak_rss_kb, 0) << "peak memory not measured";
    ASSERT_GT(first.peak_rss_kb, 0) << "peak memory not measured";
    std::printf("peak RSS: %ld KiB after 1000 queries, %ld KiB after 1000000\n", small.peak_rss_kb,
                first.peak_rss_kb);
    EXPECT_LE(first.peak_rss_kb, small.peak_rss_kb + 1024)
        << "1000 queries: " << small.peak_rss_kb << " KiB, 1000000: " << first.peak_rss_kb << " KiB";
    // Every query was answered: eight interval ends each.
    EXPECT_EQ(e2e::result_values(first.out).size(), 8000000u);
}

}  // namespace
