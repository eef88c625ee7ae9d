// fcbelt: computes the Feldman-Cousins belt for a Gaussian mean >= 0 and
// writes the table the program reads, or checks an existing table against
// the exact belt.
//
//   fcbelt write > data/fc_tab10.dat    search the grid, write the table
//   fcbelt verify FILE                  errors of FILE against the exact belt,
//                                       and the coverage of its intervals
//   fcbelt plot-data FILE DIR           data for the pictures (belt/plot.sh)

#include "belt/accuracy.hpp"
#include "belt/coverage.hpp"
#include "belt/grid_search.hpp"
#include "belt/plot_data.hpp"
#include "belt/table_file.hpp"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <exception>
#include <string>

namespace {

using namespace fcbelt;
using Clock = std::chrono::steady_clock;

double seconds_since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// "90.00% upper": the level's name, then which end.
std::string column_name(int k) { return std::string(levels()[k / 2].name) + (k % 2 ? " upper" : " lower"); }

void print_accuracy(std::FILE* out, const TableAccuracy& accuracy) {
    std::fprintf(out, "%-14s %22s %10s %26s %10s\n", "column", "max |error| [-5, 10]", "at x0",
                 "max rel. error [10, 1000]", "at x0");
    for (int k = 0; k < end_count; ++k)
        std::fprintf(out, "%-14s %22.3e %10.4f %26.3e %10.3f\n", column_name(k).c_str(), accuracy.near[k].worst,
                     accuracy.near[k].at, accuracy.far[k].worst, accuracy.far[k].at);
    std::fprintf(out, "%-14s %22.3e %10s %26.3e\n", "all", worst_of(accuracy.near), "", worst_of(accuracy.far));
    std::fprintf(out, "target         %22.1e %10s %26.1e\n", near_tolerance, "", far_tolerance);
}

int write_table() {
    const auto start = Clock::now();
    SearchReport search;
    const auto grid = search_grid(check_points(near_range), check_points(far_range), &search);
    const BeltTable table = tabulate(grid);
    const TableAccuracy accuracy = measure_table(table);
    const std::string text = table_text(table, accuracy);
    std::fwrite(text.data(), 1, text.size(), stdout);
    if (std::fflush(stdout) != 0) throw std::runtime_error("cannot write the table");

    std::fprintf(stderr, "grid search: %d insertions, %d exchanges, %d zooms, %d moves in %d rounds\n",
                 search.insertions, search.exchanges, search.zooms, search.moves, search.rounds);
    print_accuracy(stderr, accuracy);
    std::fprintf(stderr, "time: %.1f s\n", seconds_since(start));
    return 0;
}

// How often the printed interval holds the true mean, next to the level
// it should hold: a table on a coarse grid of mu, then the largest
// departure over a fine one.
void print_coverage(std::FILE* out, const BeltTable& table) {
    std::fprintf(out, "\ncoverage of the printed intervals (sigma = 1), P(lower <= mu <= upper | mu)\n");
    std::fprintf(out, "%8s", "mu");
    for (const Level& level : levels()) std::fprintf(out, " %12s", level.name);
    std::fprintf(out, "\n");
    for (int i = 0; i <= 24; ++i) {
        const double mu = 0.25 * i;
        std::fprintf(out, "%8.2f", mu);
        for (int k = 0; k < level_count; ++k) std::fprintf(out, " %12.6f", printed_coverage(table, k, mu));
        std::fprintf(out, "\n");
    }
    std::fprintf(out, "%8s", "nominal");
    for (const Level& level : levels()) std::fprintf(out, " %12.6f", level.cl);
    std::fprintf(out, "\n%8s", "max dev.");
    for (int k = 0; k < level_count; ++k) {
        double worst = 0;
        for (int i = 0; i <= 600; ++i)
            worst = std::fmax(worst, std::fabs(printed_coverage(table, k, 0.01 * i) - levels()[k].cl));
        std::fprintf(out, " %12.2e", worst);
    }
    std::fprintf(out, "   (mu from 0 to 6 in steps of 0.01; x below %g not counted)\n", lowest_measurement);
}

int verify_table(const std::string& path) {
    const auto start = Clock::now();
    const BeltTable table = read_table_file(path);
    const TableAccuracy accuracy = measure_table(table);
    print_accuracy(stdout, accuracy);
    print_coverage(stdout, table);
    const bool met = worst_of(accuracy.near) <= near_tolerance && worst_of(accuracy.far) <= far_tolerance;
    std::printf("%s\n", met ? "the table meets the target" : "THE TABLE MISSES THE TARGET");
    std::fprintf(stderr, "time: %.1f s\n", seconds_since(start));
    return met ? 0 : 1;
}

int plot_data(const std::string& path, const std::string& dir) {
    write_plot_data(read_table_file(path), dir);
    return 0;
}

int help() {
    std::fputs(
        "fcbelt: computes the Feldman-Cousins confidence belt for the mean mu >= 0\n"
        "of a Gaussian with sigma = 1 and writes the table norvex reads, or checks\n"
        "a table against the exact belt. For intervals at any x, sigma and level\n"
        "without a table, use fcgauss.\n"
        "\n"
        "usage: fcbelt write > data/fc_tab10.dat\n"
        "           search the grid, write the table to standard output; progress\n"
        "           and the table's accuracy on standard error\n"
        "       fcbelt verify FILE\n"
        "           the errors of FILE's interpolation against the exact belt and\n"
        "           the coverage of its intervals; exit status 1 when it misses\n"
        "           the target\n"
        "       fcbelt plot-data FILE DIR\n"
        "           the data for the pictures (belt/plot.sh) into DIR\n"
        "       fcbelt --help\n"
        "           this text\n"
        "\n"
        "Exit status: 0 on success, 1 when a table misses the target or a file\n"
        "cannot be read or written, 2 for a usage error.\n",
        stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

int usage() {
    std::fprintf(stderr,
                 "usage: fcbelt write > data/fc_tab10.dat\n"
                 "       fcbelt verify FILE\n"
                 "       fcbelt plot-data FILE DIR\n"
                 "       fcbelt --help\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const std::string command = argc > 1 ? argv[1] : "";
        if ((command == "--help" || command == "-h") && argc == 2) return help();
        if (command == "write" && argc == 2) return write_table();
        if (command == "verify" && argc == 3) return verify_table(argv[2]);
        if (command == "plot-data" && argc == 4) return plot_data(argv[2], argv[3]);
        return usage();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "fcbelt: %s\n", e.what());
        return 1;
    }
}
