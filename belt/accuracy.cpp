#include "belt/accuracy.hpp"

#include <cmath>

namespace fcbelt {

namespace {

double range_point(const CheckRange& range, double t) {
    if (range.geometric) return range.from * std::pow(range.to / range.from, t);
    return range.from + (range.to - range.from) * t;
}

template <class Measure>
BeltErrors worst_errors(const BeltTable& table, const std::vector<CheckPoint>& points,
                        Measure measure) {
    BeltErrors errors{};
    for (const CheckPoint& point : points) {
        const auto ends = interpolate(table, point.x);
        for (int k = 0; k < end_count; ++k) {
            const double error = measure(ends[k], point.exact[k]);
            if (error > errors[k].worst) errors[k] = {error, point.x};
        }
    }
    return errors;
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

BeltErrors absolute_errors(const BeltTable& table, const std::vector<CheckPoint>& points) {
    return worst_errors(table, points, [](float got, double exact) { return std::fabs(got - exact); });
}

BeltErrors relative_errors(const BeltTable& table, const std::vector<CheckPoint>& points) {
    return worst_errors(table, points,
                        [](float got, double exact) { return std::fabs(got - exact) / std::fabs(exact); });
}

double worst_of(const BeltErrors& errors) {
    double worst = 0;
    for (const ColumnError& column : errors) worst = std::fmax(worst, column.worst);
    return worst;
}

TableAccuracy measure_table(const BeltTable& table) {
    // Twice as dense as the search's points and half a step off them.
    const CheckRange near{near_range.from, near_range.to, 2 * near_range.count - 1, false};
    const CheckRange far{far_range.from, far_range.to, 2 * far_range.count - 1, true};
    return {absolute_errors(table, check_points(near, 0.5)), relative_errors(table, check_points(far, 0.5))};
}

}  // namespace fcbelt
