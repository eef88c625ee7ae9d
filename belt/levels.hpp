#pragma once

// The four confidence levels of the belt, in the order of the table's
// columns: each level has a lower-end and an upper-end column.

#include <array>
#include <cmath>

namespace fcbelt {

struct Level {
    const char* name;  // as the program labels it
    double cl;         // probability content of an acceptance interval
    double alpha;      // 1 - cl, kept separately so that tails stay exact
};

// 68.27 % is the content of +-1 sigma of a Gaussian, not the rounded
// decimal, so that the belt's far-out ends are exactly x0 +- 1.
inline const std::array<Level, 4>& levels() {
    static const std::array<Level, 4> all{{
        {"68.27%", std::erf(1 / std::sqrt(2.0)), std::erfc(1 / std::sqrt(2.0))},
        {"90.00%", 0.90, 0.10},
        {"95.00%", 0.95, 0.05},
        {"99.00%", 0.99, 0.01},
    }};
    return all;
}

inline constexpr int level_count = 4;

// A level of any content strictly between 0 and 1, unnamed. Its alpha is
// exact from 0.5 up, where the small tail needs it.
inline Level level_with_content(double cl) { return {"", cl, 1 - cl}; }
inline constexpr int end_count = 2 * level_count;  // table columns 2 to 9

}  // namespace fcbelt
