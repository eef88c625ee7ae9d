#pragma once

// Repeated timings, summed up as their best and their median: the best is
// the run least disturbed by whatever else the machine was doing, the
// median the one a busy machine disturbs least in its ratios to others.

#include <algorithm>
#include <vector>

namespace bench {

struct Timings {
    std::vector<double> seconds;

    void add(double s) { seconds.push_back(s); }
    double best() const { return *std::min_element(seconds.begin(), seconds.end()); }
    double median() const {
        std::vector<double> sorted = seconds;
        std::sort(sorted.begin(), sorted.end());
        return sorted[sorted.size() / 2];
    }
};

}  // namespace bench
