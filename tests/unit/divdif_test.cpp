#include "mathlib/divdif.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// A polynomial with small integer coefficients, so that its values on a
// grid of small binary fractions are exact in single precision and every
// divided difference stays exact too.
double poly(int degree, double x) {
    double sum = 0;
    for (int k = degree; k >= 0; --k) sum = sum * x + (k % 3) - 1;
    return sum;
}

struct Grid {
    std::vector<float> a, f;
};

Grid tabulate(int degree, int n, float first, float step) {
    Grid g;
    for (int i = 0; i < n; ++i) {
        g.a.push_back(first + step * i);
        g.f.push_back(static_cast<float>(poly(degree, g.a.back())));
    }
    return g;
}

float interpolate(const Grid& g, float x, int m) {
    return DIVDIF(g.f.data(), g.a.data(), static_cast<int>(g.a.size()), x, m);
}

// The order actually used never exceeds n - 1 or 10, so a polynomial of at
// most that degree is reproduced: inside, before and past the grid.
TEST(Divdif, ReproducesPolynomialsUpToItsOrder) {
    for (int m = 1; m <= 10; ++m) {
        for (float step : {0.25f, -0.25f}) {
            const Grid g = tabulate(m, 16, step > 0 ? -2.0f : 2.0f, step);
            for (float x : {-2.75f, -1.875f, -0.125f, 0.0f, 0.625f, 1.3125f, 2.5f}) {
                const double want = poly(m, x);
                EXPECT_NEAR(interpolate(g, x, m), want, 1e-5 * (1 + std::fabs(want)))
                    << "m=" << m << " step=" << step << " x=" << x;
            }
        }
    }
}

TEST(Divdif, OrderIsCappedByThePointsAndByTen) {
    // Two points: a straight line whatever order is asked for.
    const Grid line = tabulate(1, 2, 0.0f, 1.0f);
    EXPECT_FLOAT_EQ(interpolate(line, 3.0f, 5), static_cast<float>(poly(1, 3.0)));
    // Order 12 asked on 14 points of a degree-10 polynomial: order 10 is used
    // and is still exact.
    const Grid g = tabulate(10, 14, -1.0f, 0.125f);
    EXPECT_NEAR(interpolate(g, 0.3125f, 12), poly(10, 0.3125), 1e-5);
}

TEST(Divdif, GridPointsGiveTheirOwnValuesExactly) {
    Grid g;
    for (int i = 0; i < 30; ++i) {
        g.a.push_back(-3.0f + 0.1f * i);
        g.f.push_back(std::sin(1.7f * i) + 0.001f * i);
    }
    for (int m : {1, 2, 3, 6}) {
        for (std::size_t i = 0; i < g.a.size(); ++i)
            EXPECT_EQ(interpolate(g, g.a[i], m), g.f[i]) << "m=" << m << " i=" << i;
    }
}

// Order 2 inside the grid averages the quadratic through ix, ix+1, ix-1
// with the one through ix, ix+1, ix+2. On a = 0,1,2,3,4 with f = 0,1,8,27,64
// (x cubed) at x = 1.5: the first gives 3.0, the second 3.75, so 3.375
// (which is also 1.5 cubed, the cubic's value).
TEST(Divdif, InteriorOrderTwoAveragesTwoQuadratics) {
    const float a[] = {0, 1, 2, 3, 4};
    const float f[] = {0, 1, 8, 27, 64};
    EXPECT_FLOAT_EQ(DIVDIF(f, a, 5, 1.5f, 2), 3.375f);
    // f = 0,0,1,0,0 at x = 1.5: quadratic through (1,0),(2,1),(0,0) gives
    // 0.375, through (1,0),(2,1),(3,0) gives 0.75; their mean is 0.5625.
    const float bump[] = {0, 0, 1, 0, 0};
    EXPECT_FLOAT_EQ(DIVDIF(bump, a, 5, 1.5f, 2), 0.5625f);
}

// Near and past an end only the three points at that end are used.
TEST(Divdif, EndsUseOneQuadratic) {
    const float a[] = {0, 1, 2, 3, 4};
    const float bump[] = {0, 0, 1, 0, 0};
    // Points 0,1,2: the quadratic x(x-1)/2 at 0.5 is -0.125, at -1 it is 1.
    EXPECT_FLOAT_EQ(DIVDIF(bump, a, 5, 0.5f, 2), -0.125f);
    EXPECT_FLOAT_EQ(DIVDIF(bump, a, 5, -1.0f, 2), 1.0f);
    // Points 4,3,2: (x-3)(x-4)/2 at 5 is 1, at 3.5 is -0.125.
    EXPECT_FLOAT_EQ(DIVDIF(bump, a, 5, 5.0f, 2), 1.0f);
    EXPECT_FLOAT_EQ(DIVDIF(bump, a, 5, 3.5f, 2), -0.125f);
}

TEST(Divdif, DecreasingGridMirrorsIncreasingOne) {
    const float up_a[] = {0, 1, 2, 3, 4};
    const float up_f[] = {0, 0, 1, 0, 0};
    const float down_a[] = {4, 3, 2, 1, 0};
    const float down_f[] = {0, 0, 1, 0, 0};
    for (float x : {-1.0f, 0.5f, 1.5f, 2.25f, 3.5f, 5.0f})
        EXPECT_FLOAT_EQ(DIVDIF(down_f, down_a, 5, x, 2), DIVDIF(up_f, up_a, 5, x, 2)) << x;
}

TEST(Divdif, ChangesNoArgument) {
    float a[] = {0, 1, 2, 3};
    float f[] = {5, 6, 8, 11};
    const std::vector<float> a0(a, a + 4), f0(f, f + 4);
    (void)DIVDIF(f, a, 4, 1.25f, 2);
    EXPECT_EQ(std::vector<float>(a, a + 4), a0);
    EXPECT_EQ(std::vector<float>(f, f + 4), f0);
}

}  // namespace
