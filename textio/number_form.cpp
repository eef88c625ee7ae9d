#include "textio/number_form.hpp"

#include "textio/stop.hpp"

namespace textio {

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_sign(char c) { return c == '+' || c == '-'; }
bool is_exponent_letter(char c) { return c == 'E' || c == 'e' || c == 'D' || c == 'd'; }

std::size_t skip_digits(const char* text, std::size_t size, std::size_t i) {
    while (i < size && is_digit(text[i])) ++i;
    return i;
}

[[noreturn]] void not_a_number() { io_stop(IoStop::invalid_real); }

}  // namespace

NumberForm number_form(const char* text, std::size_t size) {
    NumberForm form;
    std::size_t i = 0;
    if (i < size && is_sign(text[i])) form.negative = text[i++] == '-';

    form.mantissa_begin = i;
    i = skip_digits(text, size, i);
    form.integer_digits = i - form.mantissa_begin;
    std::size_t fraction_digits = 0;
    if (i < size && text[i] == '.') {
        const std::size_t fraction = i + 1;
        i = skip_digits(text, size, fraction);
        fraction_digits = i - fraction;
    }
    if (form.integer_digits + fraction_digits == 0) not_a_number();
    form.mantissa_end = i;
    if (i == size) return form;

    form.has_exponent = true;
    if (is_exponent_letter(text[i])) form.exponent_letter = text[i++];
    else if (!is_sign(text[i])) not_a_number();
    if (i < size && is_sign(text[i])) form.exponent_negative = text[i++] == '-';
    form.exponent_digits = i;
    if (skip_digits(text, size, i) != size || i == size) not_a_number();
    return form;
}

}  // namespace textio
