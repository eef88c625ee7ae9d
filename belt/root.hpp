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

template <class F>
double find_root(F f, double lo, double hi) {
    const auto close_enough = [](double a, double b) {
        return std::fabs(b - a) <= root_tolerance * std::fmax(1.0, std::fabs(a));
    };
    std::uintmax_t iterations = max_iterations;
    const auto bracket = boost::math::tools::toms748_solve(f, lo, hi, close_enough, iterations);
    if (iterations >= max_iterations) throw std::runtime_error("root finding did not converge");
    return 0.5 * (bracket.first + bracket.second);
}

}  // namespace fcbelt
