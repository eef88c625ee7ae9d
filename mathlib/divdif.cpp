#include "mathlib/divdif.hpp"

#include <algorithm>
#include <cassert>

namespace {

constexpr int max_order = 10;

// Rounds a double-precision intermediate to the REAL it is stored in.
inline float store(double v) { return static_cast<float>(v); }

// One divided difference of two stored ones, over the span of their points.
inline float difference(float upper, float lower, float t_upper, float t_lower) {
    return store((double(upper) - lower) / (double(t_upper) - t_lower));
}

// One step of the nested form: value + (x - t) * sum.
inline float nest(float value, float x, float t, float sum) {
    return store(value + (double(x) - t) * sum);
}

// The halving search of bracket below, for one direction of the grid:
// `after(g)` tells whether grid value g lies after x. The step is written
// as two selections rather than a branch, which the ratios of successive
// queries would make unpredictable.
template <class After>
int halving_search(const float* a, int n, After after) {
    int lo = 0;      // a(lo) is not after x (a(0) stands for minus infinity)
    int hi = n + 1;  // a(hi) is after x   (a(n+1) for plus infinity)
    while (hi - lo > 1) {
        const int mid = (lo + hi) / 2;
        const bool is_after = after(a[mid - 1]);
        hi = is_after ? mid : hi;
        lo = is_after ? lo : mid;
    }
    return lo;
}

// 1-based ix with a(ix) <= x < a(ix+1) on an increasing grid (mirrored on a
// decreasing one); 0 before the first point, n at or past the last.
int bracket(const float* a, int n, float x) {
    if (a[0] > a[n - 1]) return halving_search(a, n, [x](float grid) { return x > grid; });
    return halving_search(a, n, [x](float grid) { return x < grid; });
}

}  // namespace

float DIVDIF(const float* f, const float* a, int n, float x, int m) {
    assert(n >= 2 && m >= 1);
    if (m == 2 && n >= 3) return divdif_order_2(f, a, n, x);
    return divdif_any_order(f, a, n, x, m);
}

float divdif_any_order(const float* f, const float* a, int n, float x, int m) {
    assert(n >= 2 && m >= 1);
    const int order = std::min({m, max_order, n - 1});
    const int ix = bracket(a, n, x);

    // The points nearest to x, in the order ix, ix+1, ix-1, ix+2, ...
    // An even order takes one point more, for the second interpolant,
    // unless the grid ran out on one side before it was reached.
    float t[max_order + 2];
    float d[max_order + 2];
    int wanted = order % 2 == 0 ? order + 2 : order + 1;
    int taken = 0;
    for (int step = 0; taken < wanted; ++step) {
        const int offset = step % 2 == 0 ? -step / 2 : (step + 1) / 2;
        const int i = ix + offset;
        if (i < 1 || i > n) {
            wanted = order + 1;
            continue;
        }
        t[taken] = a[i - 1];
        d[taken] = f[i - 1];
        ++taken;
    }
    const bool extra = taken == order + 2;

    // Leading diagonal of the divided-difference table, in place; with the
    // extra point also the differences that use it in place of the
    // (order+1)-th point.
    for (int level = 1; level <= order; ++level) {
        if (extra) {
            const int drop = order - level;  // 0-based point left behind
            d[order + 1] = difference(d[order + 1], d[order - 1], t[order + 1], t[drop]);
        }
        for (int i = order; i >= level; --i) d[i] = difference(d[i], d[i - 1], t[i], t[i - level]);
    }

    float sum = d[order];
    if (extra) sum = store(0.5 * (double(sum) + d[order + 1]));
    for (int j = order - 1; j >= 0; --j) sum = nest(d[j], x, t[j], sum);
    return sum;
}

// The general routine with order 2 written out: the same points, the same
// differences in the same order, the same roundings, so the result and
// any fault on the way are the same bit for bit.
float divdif_order_2(const float* f, const float* a, int n, float x) {
    assert(n >= 3);
    const int ix = bracket(a, n, x);
    if (ix >= 2 && ix <= n - 2) {
        // Points ix, ix+1, ix-1 and the extra ix+2 (1-based).
        const float* ta = a + ix - 1;
        const float* fa = f + ix - 1;
        const float t0 = ta[0], t1 = ta[1], t2 = ta[-1], t3 = ta[2];
        float d0 = fa[0], d1 = fa[1], d2 = fa[-1], d3 = fa[2];
        d3 = difference(d3, d1, t3, t1);
        d2 = difference(d2, d1, t2, t1);
        d1 = difference(d1, d0, t1, t0);
        d3 = difference(d3, d1, t3, t0);
        d2 = difference(d2, d1, t2, t0);
        const float mean = store(0.5 * (double(d2) + d3));
        return nest(d0, x, t0, nest(d1, x, t1, mean));
    }
    // Near or past an end only the three points there: 1, 2, 3 at the
    // start, then n-1, n, n-2 and n, n-1, n-2 at the end.
    int i0, i1, i2;   // 0-based
    if (ix <= 1) {
        i0 = 0, i1 = 1, i2 = 2;
    } else if (ix == n - 1) {
        i0 = n - 2, i1 = n - 1, i2 = n - 3;
    } else {
        i0 = n - 1, i1 = n - 2, i2 = n - 3;
    }
    const float t0 = a[i0], t1 = a[i1], t2 = a[i2];
    float d0 = f[i0], d1 = f[i1], d2 = f[i2];
    d2 = difference(d2, d1, t2, t1);
    d1 = difference(d1, d0, t1, t0);
    d2 = difference(d2, d1, t2, t0);
    return nest(d0, x, t0, nest(d1, x, t1, d2));
}
