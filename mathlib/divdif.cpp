#include "mathlib/divdif.hpp"

#include <algorithm>
#include <cassert>

namespace {

constexpr int max_order = 10;

// Rounds a double-precision intermediate to the REAL it is stored in.
inline float store(double v) { return static_cast<float>(v); }

// 1-based ix with a(ix) <= x < a(ix+1) on an increasing grid (mirrored on a
// decreasing one); 0 before the first point, n at or past the last.
int bracket(const float* a, int n, float x) {
    const bool decreasing = a[0] > a[n - 1];
    auto before = [&](float grid) { return decreasing ? x > grid : x < grid; };
    int lo = 0;      // a(lo) is not after x (a(0) stands for minus infinity)
    int hi = n + 1;  // a(hi) is after x   (a(n+1) for plus infinity)
    while (hi - lo > 1) {
        const int mid = (lo + hi) / 2;
        if (before(a[mid - 1]))
            hi = mid;
        else
            lo = mid;
    }
    return lo;
}

}  // namespace

float DIVDIF(const float* f, const float* a, int n, float x, int m) {
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
            d[order + 1] = store((double(d[order + 1]) - d[order - 1]) /
                                 (double(t[order + 1]) - t[drop]));
        }
        for (int i = order; i >= level; --i)
            d[i] = store((double(d[i]) - d[i - 1]) / (double(t[i]) - t[i - level]));
    }

    float sum = d[order];
    if (extra) sum = store(0.5 * (double(sum) + d[order + 1]));
    for (int j = order - 1; j >= 0; --j)
        sum = store(d[j] + (double(x) - t[j]) * sum);
    return sum;
}
