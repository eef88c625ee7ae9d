// norvex_bench throughput: norvex and the floor (and an earlier norvex, if
// given) on the same queries, turn about, each run from the fork to the
// end; the ratio of their times is what norvex's own work adds to the
// system calls it has to make. The earlier norvex's output must be
// norvex's byte for byte.

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "bench/child_process.hpp"
#include "bench/commands.hpp"
#include "bench/file_size.hpp"
#include "bench/timing.hpp"

namespace bench {

namespace {

struct Runs {
    Timings wall;
    Timings user;    // CPU seconds in user mode
    long peak_rss_kib = 0;
    bool ended_right = true;   // every run ended with norvex's exit status, 1

    void add(const Ended& e) {
        wall.add(e.seconds);
        user.add(e.user_seconds);
        if (e.peak_rss_kib > peak_rss_kib) peak_rss_kib = e.peak_rss_kib;
        ended_right &= e.status == 1;
    }
};

void print_line(const char* who, const Runs& r, long count) {
    std::printf("  %-9s best %8.3f ms  median %8.3f ms  %9.0f queries/s  user %5.2f us/query\n", who,
                r.wall.best() * 1e3, r.wall.median() * 1e3, static_cast<double>(count) / r.wall.median(),
                r.user.median() / static_cast<double>(count) * 1e6);
}

void print_ratio(const char* who, const Runs& r, const Runs& floor, double target) {
    std::printf("  ratio %s / floor: median %.3f, best %.3f", who, r.wall.median() / floor.wall.median(),
                r.wall.best() / floor.wall.best());
    if (target > 0) std::printf(" (target: median <= %.2f)", target);
    std::printf("\n");
}

std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

int report_throughput(const ThroughputArgs& a) {
    const std::string norvex_out = a.work_dir + "/norvex.out";
    const std::string floor_out = a.work_dir + "/floor.out";
    const std::string baseline_out = a.work_dir + "/baseline.out";
    const bool with_baseline = !a.baseline.empty();
    Runs norvex, floor, baseline;
    for (int i = 0; i < a.runs; ++i) {
        norvex.add(run_program({a.norvex}, a.table_dir, a.query_file, norvex_out));
        if (with_baseline) baseline.add(run_program({a.baseline}, a.table_dir, a.query_file, baseline_out));
        floor.add(run_program({a.floor, a.trace}, a.table_dir, a.query_file, floor_out));
    }

    std::printf("throughput, %ld queries, %d runs each in turn (standard output to a file; "
                "queries/s of the median)\n", a.count, a.runs);
    print_line("norvex", norvex, a.count);
    if (with_baseline) print_line("baseline", baseline, a.count);
    print_line("floor", floor, a.count);
    print_ratio("norvex", norvex, floor, 1.15);
    if (with_baseline) print_ratio("baseline", baseline, floor, 0);
    std::printf("  norvex peak RSS over %ld queries: %ld KiB\n", a.count, norvex.peak_rss_kib);

    bool same = true;
    const long n_bytes = file_size(norvex_out);
    const long f_bytes = file_size(floor_out);
    std::printf("  standard output: norvex %ld B, floor %ld B%s\n", n_bytes, f_bytes,
                n_bytes == f_bytes ? "" : "   <-- the floor did not replay the same writes");
    same &= n_bytes == f_bytes;
    if (with_baseline) {
        const bool identical = contents(norvex_out) == contents(baseline_out);
        std::printf("  standard output of norvex and the baseline: %s\n",
                    identical ? "identical" : "DIFFERENT   <-- the output must not change");
        same &= identical;
    }
    const bool ended_right = norvex.ended_right && floor.ended_right && baseline.ended_right;
    if (!ended_right) std::printf("  a run did not end with exit status 1   <-- unexpected\n");
    return ended_right && same ? 0 : 1;
}

}  // namespace bench
