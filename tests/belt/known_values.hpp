#pragma once

// Ends of the belt from an independent computation, to four decimals, at
// the four levels: the library and fcgauss are both held to them.

namespace belt_test {

struct KnownInterval {
    double x0;
    int level;  // 0 to 3: 68.27 %, 90 %, 95 %, 99 %
    double lower, upper;
};

inline constexpr KnownInterval known_intervals[] = {
    {-3.0, 0, 0, 0.0379},   {-3.0, 1, 0, 0.2635},   {-3.0, 2, 0, 0.4228},   {-3.0, 3, 0, 0.7980},
    {0.0, 0, 0, 1.0000},    {0.0, 1, 0, 1.6449},    {0.0, 2, 0, 1.9600},    {0.0, 3, 0, 2.5758},
    {1.0, 0, 0.2405, 2.0000},
    {2.0, 0, 1.0000, 3.0000}, {2.0, 1, 0.5823, 3.6449}, {2.0, 2, 0.3548, 3.9600}, {2.0, 3, 0, 4.5758},
    {3.1, 0, 2.1000, 4.1000}, {3.1, 1, 1.4606, 4.7449}, {3.1, 2, 1.2210, 5.0600}, {3.1, 3, 0.7718, 5.6758},
};

inline constexpr double known_tolerance = 5e-5;

}  // namespace belt_test
