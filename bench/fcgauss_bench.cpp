// fcgauss_bench: measurements per second of fcgauss in batch, with the four
// default levels, on one core; and its start-up, from the fork to the end
// of a run that answers one measurement given as arguments.
//
//   fcgauss_bench FCGAUSS [--short] [--runs N] [--measurements N]
//
// The measurements have x / sigma spread evenly over [-6, 12] and sigma
// over [0.1, 3], so that most ends need the root finder (a lower end
// between the kinks, an upper end below zero) and the rest are the
// belt's straight lines. The process and its children are held to one
// CPU. --short runs everything once, small, only to show it works.
//
// Exit status: 0 when every run ended with status 0 and answered every
// measurement, 1 when one did not, 2 when it could not run. Timings never
// change it.

#include "bench/child_process.hpp"
#include "bench/timing.hpp"

#include <limits.h>
#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>

namespace {

struct Settings {
    std::string fcgauss;
    int runs = 7;
    int startup_runs = 30;
    long measurements = 100000;
};

[[noreturn]] void usage() {
    std::fputs("usage: fcgauss_bench FCGAUSS [--short] [--runs N] [--measurements N]\n", stderr);
    std::exit(2);
}

long positive(const char* text) {
    char* end = nullptr;
    const long v = std::strtol(text, &end, 10);
    if (*text == '\0' || *end != '\0' || v <= 0) usage();
    return v;
}

Settings read_settings(int argc, char** argv) {
    Settings s;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--short") {
            s.runs = 1;
            s.startup_runs = 2;
            s.measurements = 2000;
        } else if (arg == "--runs" && i + 1 < argc) {
            s.runs = static_cast<int>(positive(argv[++i]));
        } else if (arg == "--measurements" && i + 1 < argc) {
            s.measurements = positive(argv[++i]);
        } else if (arg[0] != '-' && s.fcgauss.empty()) {
            s.fcgauss = arg;
        } else {
            usage();
        }
    }
    if (s.fcgauss.empty() || access(s.fcgauss.c_str(), X_OK) != 0) usage();
    // The runs start in a scratch directory.
    char* absolute = realpath(s.fcgauss.c_str(), nullptr);
    s.fcgauss = absolute;
    std::free(absolute);
    return s;
}

void write_measurements(const std::string& path, long count) {
    std::mt19937_64 random(20261211);
    std::uniform_real_distribution<double> ratio(-6, 12), sigma(0.1, 3);
    std::ofstream out(path);
    char line[64];
    for (long i = 0; i < count; ++i) {
        const double s = sigma(random);
        std::snprintf(line, sizeof line, "%.6g %.4g\n", ratio(random) * s, s);
        out << line;
    }
}

// User and system time of the children waited for so far: unlike the
// wall time, hardly touched by what else the machine is doing.
double children_cpu_seconds() {
    rusage u{};
    getrusage(RUSAGE_CHILDREN, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + 1e-6 * (u.ru_utime.tv_usec + u.ru_stime.tv_usec);
}

long lines_in(const std::string& path) {
    std::ifstream in(path);
    long lines = 0;
    for (std::string line; std::getline(in, line);) ++lines;
    return lines;
}

}  // namespace

int main(int argc, char** argv) {
    const Settings s = read_settings(argc, argv);
    cpu_set_t one;
    CPU_ZERO(&one);
    CPU_SET(sched_getcpu() < 0 ? 0 : sched_getcpu(), &one);
    if (sched_setaffinity(0, sizeof one, &one) != 0) std::perror("fcgauss_bench: sched_setaffinity");

    char dir_template[] = "/tmp/fcgauss_bench_XXXXXX";
    if (!mkdtemp(dir_template)) {
        std::perror("fcgauss_bench: mkdtemp");
        return 2;
    }
    const std::string dir = dir_template, in = dir + "/measurements.txt", out = dir + "/intervals.csv";
    write_measurements(in, s.measurements);

    std::printf("fcgauss benchmark: %s, on one CPU\n", s.fcgauss.c_str());
    std::ifstream load("/proc/loadavg");
    std::string l1, l5, l15;
    load >> l1 >> l5 >> l15;
    std::printf("load average: %s %s %s\n", l1.c_str(), l5.c_str(), l15.c_str());

    int status = 0;
    bench::Timings batch, batch_cpu;
    for (int i = 0; i < s.runs; ++i) {
        const double cpu_before = children_cpu_seconds();
        const bench::Ended e = bench::run_program({s.fcgauss, "--format", "csv", "-f", "-"}, dir, in, out);
        batch.add(e.seconds);
        batch_cpu.add(children_cpu_seconds() - cpu_before);
        const long want = 1 + 4 * s.measurements;
        if (e.status != 0 || lines_in(out) != want) {
            std::printf("run %d: exit status %d, %ld lines of %ld  <--\n", i + 1, e.status, lines_in(out), want);
            status = 1;
        }
    }
    std::printf("batch, %ld measurements x 4 levels, csv to a file, best of %d: %.3f s, %.0f measurements/s "
                "(median %.3f s, %.0f/s; target 20000/s)\n",
                s.measurements, s.runs, batch.best(), s.measurements / batch.best(), batch.median(),
                s.measurements / batch.median());
    std::printf("  CPU time (user + system), best of %d: %.3f s, %.0f measurements per CPU second\n", s.runs,
                batch_cpu.best(), s.measurements / batch_cpu.best());

    bench::Timings startup;
    long peak_kib = 0;
    for (int i = 0; i < s.startup_runs; ++i) {
        const bench::Ended e = bench::run_program({s.fcgauss, "1.2", "0.5"}, dir, "/dev/null", out);
        startup.add(e.seconds);
        peak_kib = e.peak_rss_kib;
        if (e.status != 0 || lines_in(out) != 6) {
            std::printf("start-up run %d: exit status %d  <--\n", i + 1, e.status);
            status = 1;
        }
    }
    std::printf("start-up to the end of one measurement, best of %d: %.2f ms (median %.2f ms; target well under "
                "10 ms), peak RSS %.1f MB\n",
                s.startup_runs, 1e3 * startup.best(), 1e3 * startup.median(), peak_kib / 1024.0);

    // The yardstick: fork, exec and exit of a program that does nothing.
    bench::Timings bare;
    for (int i = 0; i < s.startup_runs; ++i) bare.add(bench::run_program({"/bin/true"}, dir, "/dev/null", out).seconds);
    std::printf("  /bin/true, the same way: %.2f ms (median %.2f ms)\n", 1e3 * bare.best(), 1e3 * bare.median());

    std::remove(in.c_str());
    std::remove(out.c_str());
    rmdir(dir.c_str());
    return status;
}
