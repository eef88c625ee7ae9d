#pragma once

// The confidence levels fcgauss is asked for: a comma-separated list of
// fractions (0.9) or percentages (90 or 90%). A number below 1 is a
// fraction, any other a percentage; every level lies strictly between 0
// and 1.

#include "belt/levels.hpp"

#include <string>
#include <string_view>
#include <vector>

namespace fcbelt {

struct LevelList {
    std::vector<Level> levels;
    std::string problem;  // empty when the list was read
};

LevelList read_level_list(std::string_view list);

// The calculator's four levels, 68.27 % (erf(1/sqrt 2)) first.
std::vector<Level> default_levels();

}  // namespace fcbelt
