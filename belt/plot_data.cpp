#include "belt/plot_data.hpp"

#include "belt/accuracy.hpp"
#include "belt/confidence.hpp"

#include <cstdio>
#include <fstream>
#include <stdexcept>

namespace fcbelt {

namespace {

// The pictures show the belt where it bends, from the start of the
// checked range; beyond 8 it is straight. The absolute error is drawn up
// to 10, and from there the relative error, log-spaced, up to the
// largest REAL.
constexpr double shown_from = near_range.from;
constexpr double shown_to = 8.0;
constexpr double belt_step = 0.01;
constexpr double error_step = 0.0025;
constexpr int far_error_points = 4001;

class DataFile {
public:
    DataFile(const std::string& dir, const char* name, const char* heading) : path_(dir + "/" + name), out_(path_) {
        if (!out_) throw std::runtime_error("cannot write " + path_);
        out_ << "# " << heading << "\n";
    }
    template <class Values>
    void row(double x0, const Values& values) {
        char field[32];
        std::snprintf(field, sizeof field, "%.9g", x0);
        out_ << field;
        for (double v : values) {
            std::snprintf(field, sizeof field, " %.9g", v);
            out_ << field;
        }
        out_ << "\n";
    }
    void finish() {
        out_.close();
        if (!out_) throw std::runtime_error("cannot write " + path_);
    }

private:
    std::string path_;
    std::ofstream out_;
};

constexpr const char* columns = "x0, then lower and upper end at 68.27%, 90%, 95%, 99%";

}  // namespace

void write_plot_data(const BeltTable& table, const std::string& dir) {
    {
        DataFile exact(dir, "belt_exact.dat", std::string("exact belt: ").append(columns).c_str());
        const int steps = static_cast<int>((shown_to - shown_from) / belt_step + 0.5);
        for (int i = 0; i <= steps; ++i) {
            const double x0 = shown_from + i * belt_step;
            exact.row(x0, belt_row(x0));
        }
        exact.finish();
    }
    {
        DataFile grid(dir, "belt_grid.dat", std::string("grid points of the table: ").append(columns).c_str());
        for (int i = 0; i < grid_points; ++i) {
            if (table.grid[i] < shown_from || table.grid[i] > shown_to) continue;
            std::array<double, end_count> ends{};
            for (int k = 0; k < end_count; ++k) ends[k] = table.ends[k][i];
            grid.row(table.grid[i], ends);
        }
        grid.finish();
    }
    {
        DataFile error(dir, "belt_error.dat",
                       std::string("interpolated minus exact: ").append(columns).c_str());
        const int steps = static_cast<int>((near_range.to - shown_from) / error_step + 0.5);
        for (int i = 0; i <= steps; ++i) {
            const float x = static_cast<float>(shown_from + i * error_step);
            const BeltRow exact = belt_row(x);
            const auto got = interpolate(table, x);
            std::array<double, end_count> errors{};
            for (int k = 0; k < end_count; ++k) errors[k] = got[k] - exact[k];
            error.row(x, errors);
        }
        error.finish();
    }
    {
        DataFile error(dir, "belt_far_error.dat",
                       std::string("(interpolated - exact) / exact: ").append(columns).c_str());
        const CheckRange far{far_range.from, far_range.to, far_error_points, true};
        for (const CheckPoint& point : check_points(far)) {
            const auto got = interpolate(table, point.x);
            std::array<double, end_count> errors{};
            for (int k = 0; k < end_count; ++k) errors[k] = (got[k] - point.exact[k]) / point.exact[k];
            error.row(point.x, errors);
        }
        error.finish();
    }
}

}  // namespace fcbelt
