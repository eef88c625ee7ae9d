#include "calc/query.hpp"

#include "mathlib/divdif.hpp"
#include "textio/list_read.hpp"
#include "textio/list_write.hpp"

namespace norvex {

namespace {
constexpr const char* level_labels[4] = {"with 68.27% ", "with 90.00% ", "with 95.00% ", "with 99.00% "};

void write_level(int level, float lower, float upper) {
    textio::ListWrite record;
    record.character(level_labels[level]);
    record.real(lower);
    record.real(upper);
    record.end();
}

}  // namespace

void read_measurement(textio::InputUnit& console, Measurement& m) {
    textio::ListRead query(console);
    if (!query.two_plain_values(m.x, m.sigma)) {
        query.item(m.x);
        query.item(m.sigma);
    }
    query.finish();
}

void compute_limits(const BeltTable& belt, const Measurement& m, Limits& limits) {
    const float r = m.x / m.sigma;
    for (int k = 0; k < 7; ++k)
        limits.end[k] = DIVDIF(belt.ends(k), belt.grid(), grid_points, r, interpolation_order) * m.sigma;
    const float last = DIVDIF(belt.ends(7), belt.grid(), grid_points, r, interpolation_order);
    limits.last_end = static_cast<double>(last) * m.sigma;
}

void write_limits(const Limits& limits) {
    textio::ListWrite heading;
    heading.character("effect's limits are equal:");
    heading.end();

    textio::ListWrite first;
    first.character(level_labels[0]);
    // The first number is about to be rendered: the last end takes its
    // REAL now, and an overflow of it ends the run with this record unwritten.
    const float last_end = limits.stored_last_end();
    first.real(limits.end[0]);
    first.real(limits.end[1]);
    first.end();

    write_level(1, limits.end[2], limits.end[3]);
    write_level(2, limits.end[4], limits.end[5]);
    write_level(3, limits.end[6], last_end);
}

}  // namespace norvex
