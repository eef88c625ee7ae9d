// norvex_bench throughput: norvex and the floor on the same queries, turn
// about, each run from the fork to the end; the ratio of the best times is
// what norvex's own work adds to the system calls it has to make.

#include <cstdio>

#include "bench/child_process.hpp"
#include "bench/commands.hpp"
#include "bench/file_size.hpp"
#include "bench/timing.hpp"

namespace bench {

namespace {

void print_line(const char* who, const Timings& t, long count) {
    std::printf("  %-8s best %8.3f ms  median %8.3f ms  %12.0f queries/s\n", who, t.best() * 1e3,
                t.median() * 1e3, static_cast<double>(count) / t.best());
}

}  // namespace

int report_throughput(const ThroughputArgs& a) {
    const std::string norvex_out = a.work_dir + "/norvex.out";
    const std::string floor_out = a.work_dir + "/floor.out";
    Timings norvex, floor;
    long peak_rss = 0;
    bool ended_right = true;
    for (int i = 0; i < a.runs; ++i) {
        const Ended n = run_program({a.norvex}, a.table_dir, a.query_file, norvex_out);
        const Ended f = run_program({a.floor, a.trace}, a.table_dir, a.query_file, floor_out);
        norvex.add(n.seconds);
        floor.add(f.seconds);
        if (n.peak_rss_kib > peak_rss) peak_rss = n.peak_rss_kib;
        ended_right &= n.status == 1 && f.status == 1;
    }

    std::printf("throughput, %ld queries, best of %d runs each (standard output to a file)\n",
                a.count, a.runs);
    print_line("norvex", norvex, a.count);
    print_line("floor", floor, a.count);
    std::printf("  ratio norvex / floor: %.3f (target <= 1.25)\n", norvex.best() / floor.best());
    std::printf("  norvex peak RSS over %ld queries: %ld KiB\n", a.count, peak_rss);

    const long n_bytes = file_size(norvex_out);
    const long f_bytes = file_size(floor_out);
    std::printf("  standard output: norvex %ld B, floor %ld B%s\n", n_bytes, f_bytes,
                n_bytes == f_bytes ? "" : "   <-- the floor did not replay the same writes");
    if (!ended_right) std::printf("  a run did not end with exit status 1   <-- unexpected\n");
    return ended_right && n_bytes == f_bytes ? 0 : 1;
}

}  // namespace bench
