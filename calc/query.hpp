#pragma once

// One query: the interval ends for a measured mean x and its standard
// deviation sigma(x), interpolated in the belt at x / sigma(x).

#include "calc/belt_table.hpp"
#include "textio/input_unit.hpp"

namespace norvex {

struct Measurement {
    float x = 0;
    float sigma = 0;
};

// The eight scaled ends, lower and upper for each level in turn.
//
// The upper end at 99 % is the last value computed and is kept at double
// precision (where the product of two REALs is exact) until the result
// records first need a number: only then is it rounded to its REAL, so an
// overflow of it is reported after the heading has been written, while an
// overflow of any other end stops the query before anything is written.
struct Limits {
    float end[7];
    volatile double last_end;

    float stored_last_end() const { return static_cast<float>(last_end); }
};

// Reads x and sigma(x) from the console unit; a value the input leaves
// out keeps what it was.
void read_measurement(textio::InputUnit& console, Measurement& m);

// r = x / sigma(x), then each column interpolated at r and scaled by
// sigma(x), all in single precision.
void compute_limits(const BeltTable& belt, const Measurement& m, Limits& limits);

// The heading and the four result records.
void write_limits(const Limits& limits);

}  // namespace norvex
