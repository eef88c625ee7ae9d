// norvex_bench cpu: the processor time norvex spends per query in user
// mode, from the kernel's account of the finished process (getrusage via
// wait4), with standard output to /dev/null so that the writes cost as
// little as they can. Runs in turn with an earlier norvex, if given, and
// with the floor on its own input: the kernel splits a process's time
// between user and system mode by sampling, and on some machines part of
// every system call lands on the user side, so the floor's user time per
// query is what no work of norvex's could remove. The median of the runs
// counts.

#include <cstdio>

#include "bench/child_process.hpp"
#include "bench/commands.hpp"
#include "bench/timing.hpp"

namespace bench {

namespace {

struct CpuRuns {
    Timings user, system;
    bool ended_right = true;

    void add(const Ended& e) {
        user.add(e.user_seconds);
        system.add(e.system_seconds);
        ended_right &= e.status == 1;
    }
};

void print_line(const char* who, const CpuRuns& r, long count, const char* note = "") {
    const double n = static_cast<double>(count);
    std::printf("  %-9s user %7.3f s = %5.3f us/query   system %7.3f s = %5.3f us/query%s\n", who,
                r.user.median(), r.user.median() / n * 1e6, r.system.median(),
                r.system.median() / n * 1e6, note);
}

}  // namespace

int report_cpu(const CpuArgs& a) {
    CpuRuns norvex, baseline, floor;
    const bool with_baseline = !a.baseline.empty();
    for (int i = 0; i < a.runs; ++i) {
        norvex.add(run_program({a.norvex}, a.table_dir, a.query_file, "/dev/null"));
        if (with_baseline) baseline.add(run_program({a.baseline}, a.table_dir, a.query_file, "/dev/null"));
        floor.add(run_program({a.floor, a.trace}, a.table_dir, a.floor_query_file, "/dev/null"));
    }
    std::printf("processor time, %ld queries, standard output to /dev/null, median of %d runs "
                "(target: norvex user <= 0.6 us/query)\n", a.count, a.runs);
    print_line("norvex", norvex, a.count);
    if (with_baseline) print_line("baseline", baseline, a.count);
    char note[64];
    std::snprintf(note, sizeof note, "   (its %ld queries)", a.floor_count);
    print_line("floor", floor, a.floor_count, note);
    const double floor_user = floor.user.median() / static_cast<double>(a.floor_count);
    const double n = static_cast<double>(a.count);
    std::printf("  user time beyond the floor's: norvex %.3f us/query",
                (norvex.user.median() / n - floor_user) * 1e6);
    if (with_baseline)
        std::printf(", baseline %.3f us/query", (baseline.user.median() / n - floor_user) * 1e6);
    std::printf("\n");
    const bool ended_right = norvex.ended_right && baseline.ended_right && floor.ended_right;
    if (!ended_right) std::printf("  a run did not end with exit status 1   <-- unexpected\n");
    return ended_right ? 0 : 1;
}

}  // namespace bench
