#pragma once

// One measurement for fcgauss: x and its standard deviation sigma, read
// from a line of a file or from two arguments. x must be finite, sigma
// positive and finite.

#include <string>
#include <string_view>

namespace fcbelt {

struct Measurement {
    double x = 0;
    double sigma = 0;
};

struct MeasurementReading {
    enum Kind { measurement, skipped, refused } kind = refused;
    Measurement value;
    std::string problem;  // what was wrong, when refused
};

// x and sigma from their two texts.
MeasurementReading read_measurement(std::string_view x_text, std::string_view sigma_text);

// A line: x and sigma separated by blanks, tabs or one comma. A line of
// blanks only, or whose first other character is '#', is skipped; a CR
// before the line's end is ignored.
MeasurementReading read_measurement_line(std::string_view line);

}  // namespace fcbelt
