#pragma once

// Bracketed root finding for every end of the belt: TOMS 748 on an
// interval whose ends have function values of opposite sign (or zero).

#include <boost/math/tools/toms748_solve.hpp>

#include <cmath>
#include <cstdint>
#include <stdexcept>

namespace fcbelt {

// Far below the 1e-10 the belt promises; the functions solved here are
// smooth tail probabilities, so this costs only a step or two more.
inline constexpr double root_tolerance = 1e-13;
// Far more than the few dozen steps any end takes.
inline constexpr std::uintmax_t max_iterations = 200;

// With the function's values at the ends already known.
template <class F>
double find_root(F f, double lo, double hi, double f_lo, double f_hi) {
    const auto close_enough = [](double a, double b) {
        return std::fabs(b - a) <= root_tolerance * std::fmax(1.0, std::fabs(a));
    };
    std::uintmax_t iterations = max_iterations;
    const auto bracket = boost::math::tools::toms748_solve(f, lo, hi, f_lo, f_hi, close_enough, iterations);
    if (iterations >= max_iterations) throw std::runtime_error("root finding did not converge");
    return 0.5 * (bracket.first + bracket.second);
}

template <class F>
double find_root(F f, double lo, double hi) {
    return find_root(f, lo, hi, f(lo), f(hi));
}

// For a monotone f on a bracket that holds its root by analysis: an end
// whose value rounds to the root's side can only be within rounding of
// the root, and is taken as it.
template <class F>
double find_root_in_proven_bracket(F f, double lo, double hi) {
    if (!(lo < hi)) return lo;
    const double f_lo = f(lo), f_hi = f(hi);
    if (f_lo == 0) return lo;
    if (f_hi == 0) return hi;
    if ((f_lo < 0) == (f_hi < 0)) return std::fabs(f_lo) < std::fabs(f_hi) ? lo : hi;
    return find_root(f, lo, hi, f_lo, f_hi);
}

}  // namespace fcbelt
