// The driver of the throughput, system-call and start-up benchmarks; it
// builds nothing and is run by bench/run.sh.
//
//   norvex_bench queries FILE COUNT
//   norvex_bench calls STRACE_LOG QUERY_FILE TABLE_FILE COUNT TRACE_OUT
//   norvex_bench replay FLOOR_STRACE_LOG TRACE
//   norvex_bench throughput NORVEX FLOOR TRACE QUERY_FILE TABLE_DIR COUNT RUNS WORK_DIR [BASELINE]
//   norvex_bench cpu NORVEX QUERY_FILE COUNT FLOOR TRACE FLOOR_QUERY_FILE FLOOR_COUNT TABLE_DIR RUNS [BASELINE]
//   norvex_bench startup NORVEX FLOOR TRACE TABLE_DIR RUNS
//
// BASELINE is an earlier build of norvex, timed in turn with this one.

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/commands.hpp"
#include "bench/query_file.hpp"

namespace {

int usage() {
    std::fputs(
        "usage: norvex_bench queries FILE COUNT\n"
        "       norvex_bench calls STRACE_LOG QUERY_FILE TABLE_FILE COUNT TRACE_OUT\n"
        "       norvex_bench replay FLOOR_STRACE_LOG TRACE\n"
        "       norvex_bench throughput NORVEX FLOOR TRACE QUERY_FILE TABLE_DIR COUNT RUNS WORK_DIR [BASELINE]\n"
        "       norvex_bench cpu NORVEX QUERY_FILE COUNT FLOOR TRACE FLOOR_QUERY_FILE FLOOR_COUNT TABLE_DIR RUNS [BASELINE]\n"
        "       norvex_bench startup NORVEX FLOOR TRACE TABLE_DIR RUNS\n",
        stderr);
    return 2;
}

// A descriptor opened for a child must not land on 0, 1 or 2, where
// dup2 onto itself would keep its close-on-exec mark.
void keep_standard_fds_open() {
    for (;;) {
        const int fd = open("/dev/null", O_RDWR);
        if (fd < 0) return;
        if (fd > 2) {
            close(fd);
            return;
        }
    }
}

long number(const char* text) {
    char* end = nullptr;
    const long v = std::strtol(text, &end, 10);
    if (*text == '\0' || *end != '\0' || v <= 0) {
        std::fprintf(stderr, "norvex_bench: not a positive number: %s\n", text);
        std::exit(2);
    }
    return v;
}

int queries(char** a) {
    const long size = bench::write_query_file(a[0], static_cast<std::size_t>(number(a[1])));
    if (size < 0) {
        std::perror(a[0]);
        return 2;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    keep_standard_fds_open();
    const std::string command = argc > 1 ? argv[1] : "";
    char** a = argv + 2;
    const int n = argc - 2;
    if (command == "queries" && n == 2) return queries(a);
    if (command == "calls" && n == 5) return bench::report_calls({a[0], a[1], a[2], number(a[3]), a[4]});
    if (command == "replay" && n == 2) return bench::report_replay({a[0], a[1]});
    if (command == "throughput" && (n == 8 || n == 9))
        return bench::report_throughput({a[0], a[1], a[2], a[3], a[4], number(a[5]),
                                         static_cast<int>(number(a[6])), a[7], n == 9 ? a[8] : ""});
    if (command == "cpu" && (n == 9 || n == 10))
        return bench::report_cpu({a[0], a[1], number(a[2]), a[3], a[4], a[5], number(a[6]), a[7],
                                  static_cast<int>(number(a[8])), n == 10 ? a[9] : ""});
    if (command == "startup" && n == 5)
        return bench::report_startup({a[0], a[1], a[2], a[3], static_cast<int>(number(a[4]))});
    return usage();
}
