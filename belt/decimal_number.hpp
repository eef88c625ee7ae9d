#pragma once

// A decimal number as fcgauss reads it from a line or an argument: an
// optional sign, digits with an optional point, an optional exponent;
// nothing before or after it. Hexadecimal texts are not numbers here.

#include <string>
#include <string_view>

namespace fcbelt {

enum class NumberProblem {
    none,
    not_a_number,  // any other text, the empty one too
    out_of_range,  // beyond the largest double, or so small it rounds to zero
    not_finite,    // inf, infinity or nan, with or without sign
};

struct DecimalNumber {
    double value = 0;
    NumberProblem problem = NumberProblem::none;
};

DecimalNumber read_decimal(std::string_view text);

// "is not a number" and the like, to follow the text in a message.
const char* problem_text(NumberProblem problem);

// The text quoted for a message: bytes that would not show are replaced
// by '?', and a long text is cut short.
std::string quoted(std::string_view text);

// Appends the shortest text that reads back to the same double.
void append_number(std::string& out, double value);

}  // namespace fcbelt
