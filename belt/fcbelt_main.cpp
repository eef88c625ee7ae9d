// fcbelt: computes the Feldman-Cousins belt for a Gaussian mean >= 0 and
// writes the table the program reads, or checks an existing table against
// the exact belt.
//
//   fcbelt search belt/fc_grid.txt                 search the grid (long), store it
//   fcbelt write belt/fc_grid.txt > data/fc_tab10.dat   the table on a stored grid
//   fcbelt verify FILE          errors of FILE against the exact belt, its
//                               coverage; exit status 1 when a target is missed
//   fcbelt plot-data FILE DIR   data for the pictures (belt/plot.sh)

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
#include <vector>

namespace {

using namespace fcbelt;
using Clock = std::chrono::steady_clock;

double seconds_since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// "90.00% upper": the level's name, then which end.
std::string column_name(int k) { return std::string(levels()[k / 2].name) + (k % 2 ? " upper" : " lower"); }

void print_accuracy(std::FILE* out, const TableAccuracy& accuracy) {
    char left[32], near[32];
    std::snprintf(left, sizeof left, "|error| [%g, %g]", near_range.from, near_split);
    std::snprintf(near, sizeof near, "|error| [%g, %g]", near_split, near_range.to);
    std::fprintf(out, "%-13s %17s %9s %17s %9s %20s %10s\n", "column", left, "at x0", near, "at x0",
                 "rel. error [10, max]", "at x0");
    for (int k = 0; k < end_count; ++k)
        std::fprintf(out, "%-13s %17.3e %9.4f %17.3e %9.4f %20.3e %10.4g\n", column_name(k).c_str(),
                     accuracy.left[k].worst, accuracy.left[k].at, accuracy.near[k].worst, accuracy.near[k].at,
                     accuracy.far[k].worst, accuracy.far[k].at);
    std::fprintf(out, "%-13s %17.3e %9s %17.3e %9s %20.3e\n", "all", worst_of(accuracy.left), "",
                 worst_of(accuracy.near), "", worst_of(accuracy.far));
    std::fprintf(out, "%-13s %17.1e %9s %17.1e %9s %20.1e\n", "target", near_tolerance, "", near_tolerance, "",
                 far_tolerance);
    std::fprintf(out, "lowest lower end %.3e at x0 = %.7g (target: not below %.0e)\n", accuracy.deepest.worst,
                 accuracy.deepest.at, -dip_tolerance);
    std::fprintf(out, "check points with a lower end above its upper end: %d\n", accuracy.disordered);
}

std::vector<CheckPoint> search_points() {
    std::vector<CheckPoint> near = check_points(near_range);
    const std::vector<CheckPoint> kinks = kink_points(401);
    near.insert(near.end(), kinks.begin(), kinks.end());
    return near;
}

// The long search: its grid is stored, and the table written from it.
int search(const std::string& grid_path) {
    // Refused now rather than after minutes of searching.
    std::FILE* probe = std::fopen(grid_path.c_str(), "a");
    if (!probe || std::fclose(probe) != 0) throw std::runtime_error("cannot write " + grid_path);
    const auto start = Clock::now();
    SearchReport report;
    const auto grid = search_grid(search_points(), check_points(far_range), &report);
    write_grid_file(grid_path, grid);
    std::fprintf(stderr, "grid search: %d insertions, %d exchanges, %d zooms, %d moves in %d rounds\n",
                 report.insertions, report.exchanges, report.zooms, report.moves, report.rounds);
    print_accuracy(stderr, measure_table(tabulate(grid)));
    std::fprintf(stderr, "time: %.1f s\n", seconds_since(start));
    return 0;
}

int write_table(const std::string& grid_path) {
    const BeltTable table = tabulate(read_grid_file(grid_path));
    const std::string text = table_text(table, measure_table(table));
    std::fwrite(text.data(), 1, text.size(), stdout);
    if (std::fflush(stdout) != 0) throw std::runtime_error("cannot write the table");
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
    const bool met = accuracy.meets_targets();
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
        "usage: fcbelt search GRID\n"
        "           search the 62 grid values (minutes: run it under nice) and\n"
        "           store them in GRID, e.g. belt/fc_grid.txt\n"
        "       fcbelt write GRID > data/fc_tab10.dat\n"
        "           the table on the grid stored in GRID, to standard output; its\n"
        "           accuracy on standard error\n"
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
                 "usage: fcbelt search GRID                 (long: run it under nice)\n"
                 "       fcbelt write GRID > data/fc_tab10.dat\n"
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
        if (command == "search" && argc == 3) return search(argv[2]);
        if (command == "write" && argc == 3) return write_table(argv[2]);
        if (command == "verify" && argc == 3) return verify_table(argv[2]);
        if (command == "plot-data" && argc == 4) return plot_data(argv[2], argv[3]);
        return usage();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "fcbelt: %s\n", e.what());
        return 1;
    }
}
