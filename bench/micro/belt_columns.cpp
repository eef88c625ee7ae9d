#include "bench/micro/belt_columns.hpp"

#include <cmath>
#include <fstream>
#include <string>

namespace bench {

namespace {

// Seven header records, then one group of nine values per line.
bool read_shipped(const char* path, BeltColumns& b) {
    std::ifstream in(path);
    std::string line;
    for (int i = 0; i < 7; ++i)
        if (!std::getline(in, line)) return false;
    for (int i = 0; i < belt_points; ++i) {
        if (!(in >> b.grid[i])) return false;
        for (auto& column : b.ends)
            if (!(in >> column[i])) return false;
    }
    return true;
}

// Ends that widen with the grid value like a real belt, on -3 .. 12.2.
void make_synthetic(BeltColumns& b) {
    for (int i = 0; i < belt_points; ++i) {
        const float x = -3.0f + 0.25f * static_cast<float>(i);
        b.grid[i] = x;
        for (int k = 0; k < 8; ++k) {
            const float width = 1.0f + 0.4f * static_cast<float>(k / 2);
            const float side = k % 2 == 0 ? -width : width;
            b.ends[k][i] = std::fmax(0.0f, x + side) + 0.1f * std::exp(-x * x);
        }
    }
}

BeltColumns load() {
    BeltColumns b;
#ifdef NORVEX_SHIPPED_TABLE
    b.shipped = read_shipped(NORVEX_SHIPPED_TABLE, b);
#endif
    if (!b.shipped) make_synthetic(b);
    return b;
}

}  // namespace

const BeltColumns& belt_columns() {
    static const BeltColumns belt = load();
    return belt;
}

}  // namespace bench
