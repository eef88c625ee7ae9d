#pragma once

// The shipped belt, read once as the program reads it, for the
// micro-benchmarks that interpolate in it. A table that cannot be read
// ends the benchmark run: made-up columns would measure something else.

#include "belt/table.hpp"

namespace bench {

const fcbelt::BeltTable& shipped_belt();

}  // namespace bench
