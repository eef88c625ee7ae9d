#pragma once

// The acceptance interval of a true mean mu >= 0 for x ~ N(mu, 1): the
// x of largest likelihood ratio R(x) = P(x|mu) / P(x|mu_best), with
// mu_best = max(0, x), that together hold probability cl.

#include "belt/levels.hpp"

namespace fcbelt {

// How far past mu an upper end may lie, with room to spare: the widest
// interval, 99 % at large mu, reaches 2.58.
inline constexpr double widest_half_width = 12.0;

struct Acceptance {
    double x1;  // -infinity at mu = 0, where every x < 0 has R = 1
    double x2;
};

// R(x) for a true mean mu.
double likelihood_ratio(double x, double mu);

// The lower end whose ratio equals that of the upper end x2 > mu.
double lower_end_matching(double mu, double x2);

// The upper end whose ratio equals that of the lower end x1 < mu.
double upper_end_matching(double mu, double x1);

// P(x < x1 or x > x2 | mu): the probability an interval leaves out.
double outside_probability(double mu, double x1, double x2);

Acceptance acceptance_interval(double mu, const Level& level);

}  // namespace fcbelt
