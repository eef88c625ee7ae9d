#include "belt/accuracy.hpp"

#include <cmath>

namespace fcbelt {

namespace {

double range_point(const CheckRange& range, double t) {
    if (range.geometric) return range.from * std::pow(range.to / range.from, t);
    return range.from + (range.to - range.from) * t;
}

using Measure = double (*)(float got, double exact);

// Keeps the worst error of each column; a runaway one, infinite or NaN,
// counts as the worst.
void worst_errors(BeltErrors& errors, const CheckPoint& point, const std::array<float, end_count>& ends,
                  Measure measure) {
    for (int k = 0; k < end_count; ++k) {
        const double error = measure(ends[k], point.exact[k]);
        if (!(error <= errors[k].worst)) errors[k] = {error, point.x};
    }
}

double absolute(float got, double exact) { return std::fabs(got - exact); }
double relative(float got, double exact) { return std::fabs(got - exact) / std::fabs(exact); }

// Where the ends the program computes are checked for sign and order.
void check_order(TableAccuracy& accuracy, float x, const std::array<float, end_count>& ends) {
    bool ordered = true;
    for (int k = 0; k < level_count; ++k) {
        if (ends[2 * k] < accuracy.deepest.worst) accuracy.deepest = {ends[2 * k], x};
        ordered = ordered && ends[2 * k] <= ends[2 * k + 1];
    }
    if (!ordered) ++accuracy.disordered;
}

// Every REAL ratio from 10 up: log-spaced points, then the REALs on and
// next to each grid value there, where rounding of the stored entries
// shows most, and the largest REAL.
std::vector<CheckPoint> far_points(const BeltTable& table) {
    const CheckRange far{far_range.from, far_range.to, 2 * far_range.count - 1, true};
    std::vector<CheckPoint> points = check_points(far, 0.5);
    for (float g : table.grid) {
        if (!(g >= far_range.from)) continue;
        float below = g, above = g;
        for (int i = 0; i < 8; ++i) {
            for (float x : {below, above})
                if (x >= far_range.from && x <= FLT_MAX) points.push_back({x, belt_row(x)});
            below = std::nextafter(below, 0.0f);
            above = std::nextafter(above, HUGE_VALF);
        }
    }
    points.push_back({FLT_MAX, belt_row(FLT_MAX)});
    return points;
}

}  // namespace

std::vector<CheckPoint> check_points(const CheckRange& range, double shift) {
    std::vector<CheckPoint> points;
    points.reserve(range.count);
    for (int i = 0; i < range.count; ++i) {
        double t = double(i) / (range.count - 1);
        if (i > 0 && i < range.count - 1) t += shift / (range.count - 1);
        const float x = static_cast<float>(range_point(range, t));
        points.push_back({x, belt_row(x)});
    }
    return points;
}

std::vector<CheckPoint> kink_points(int count) {
    std::vector<CheckPoint> points;
    for (const Level& level : levels()) {
        const double kink = lower_end_leaves_zero(level);
        for (int i = 0; i < count; ++i) {
            const float x = static_cast<float>(kink + kink_reach * (2.0 * i / (count - 1) - 1));
            points.push_back({x, belt_row(x)});
        }
        // The dip lies between the kink and its close left neighbour.
        const double factor = std::pow(kink_reach / closest_to_kink, 2.0 / count);
        for (double d = closest_to_kink; d < kink_reach; d *= factor) {
            for (double side : {-d, d}) {
                const float x = static_cast<float>(kink + side);
                points.push_back({x, belt_row(x)});
            }
        }
        float below = static_cast<float>(kink), above = below;
        for (int i = 0; i < 4; ++i) {
            below = std::nextafter(below, -HUGE_VALF);
            above = std::nextafter(above, HUGE_VALF);
            points.push_back({below, belt_row(below)});
            points.push_back({above, belt_row(above)});
        }
    }
    return points;
}

double worst_of(const BeltErrors& errors) {
    double worst = 0;
    for (const ColumnError& column : errors) {
        if (std::isnan(column.worst)) return column.worst;
        worst = std::fmax(worst, column.worst);
    }
    return worst;
}

TableAccuracy measure_table(const BeltTable& table) {
    TableAccuracy accuracy;
    // Twice as dense as the search's points and half a step off them.
    const CheckRange near{near_range.from, near_range.to, 2 * near_range.count - 1, false};
    std::vector<CheckPoint> near_points = check_points(near, 0.5);
    const std::vector<CheckPoint> kinks = kink_points(4001);
    near_points.insert(near_points.end(), kinks.begin(), kinks.end());
    for (const CheckPoint& point : near_points) {
        const auto ends = interpolate(table, point.x);
        worst_errors(point.x < near_split ? accuracy.left : accuracy.near, point, ends, absolute);
        check_order(accuracy, point.x, ends);
    }
    for (const CheckPoint& point : far_points(table)) {
        const auto ends = interpolate(table, point.x);
        worst_errors(accuracy.far, point, ends, relative);
        check_order(accuracy, point.x, ends);
    }
    return accuracy;
}

}  // namespace fcbelt
