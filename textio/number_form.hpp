#pragma once

// The text form of a number: an optional sign, a mantissa of digits with
// at most one decimal point and at least one digit, and an optional
// exponent (a letter E, e, D or d and an optional sign, or a sign alone,
// then digits).

#include <cstddef>

namespace textio {

struct NumberForm {
    bool negative = false;
    std::size_t mantissa_begin = 0;   // first digit or the point
    std::size_t mantissa_end = 0;
    std::size_t integer_digits = 0;   // digits before the point
    bool has_exponent = false;
    char exponent_letter = '\0';      // '\0' for an exponent written as a bare sign
    bool exponent_negative = false;
    std::size_t exponent_digits = 0;  // where the exponent's digits begin; they run to the end
};

// The parts of text, which must match the form wholly; otherwise stops
// with invalid REAL value.
NumberForm number_form(const char* text, std::size_t size);

}  // namespace textio
