#include "bench/query_file.hpp"

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace bench {

namespace {

// A fixed generator, so a run can be repeated byte for byte.
struct Lcg {
    std::uint64_t state = 0x2545F4914F6CDD1DULL;

    std::uint32_t next() {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<std::uint32_t>(state >> 33);
    }
    double uniform(double lo, double hi) { return lo + (hi - lo) * (next() / 2147483648.0); }
};

// sigma(x) spans three decades and is never zero; x / sigma(x) stays in
// about -3 .. 12, where the belt is tabulated or barely extrapolated.
struct Query {
    double x;
    double sigma;
};

Query draw(Lcg& g) {
    const double sigma = std::pow(10.0, g.uniform(-2.0, 1.0));
    return {g.uniform(-3.0, 12.0) * sigma, sigma};
}

// Plain decimals, a comma between the values, exponent forms, leading
// blanks: the same two numbers as different users would type them.
int format(char* line, std::size_t room, const Query& q, std::uint32_t style) {
    switch (style % 5) {
    case 0: return std::snprintf(line, room, "%.4g %.3g\n", q.x, q.sigma);
    case 1: return std::snprintf(line, room, "%.5g,%.4g\n", q.x, q.sigma);
    case 2: return std::snprintf(line, room, "%.6E %.3E\n", q.x, q.sigma);
    case 3: return std::snprintf(line, room, "  %.3f   %.4f\n", q.x, q.sigma);
    default: return std::snprintf(line, room, "%.7g, %.2e\n", q.x, q.sigma);
    }
}

}  // namespace

long write_query_file(const std::string& path, std::size_t count) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return -1;
    Lcg g;
    long size = 0;
    for (std::size_t i = 0; i < count; ++i) {
        char line[96];
        const Query q = draw(g);
        const int n = format(line, sizeof line, q, g.next());
        std::fwrite(line, 1, static_cast<std::size_t>(n), f);
        size += n;
    }
    return std::fclose(f) == 0 ? size : -1;
}

}  // namespace bench
