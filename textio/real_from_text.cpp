#include "textio/real_from_text.hpp"

#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <vector>

#include "textio/fp_env.hpp"
#include "textio/number_form.hpp"
#include "textio/stop.hpp"

namespace textio {

namespace {

// The largest REAL plus one unit in the last place of its double: a double
// up to this still rounds to the largest REAL; above it is out of range.
constexpr double largest_accepted =
    std::bit_cast<double>(std::bit_cast<std::uint64_t>(static_cast<double>(FLT_MAX)) + 1);

// An exponent this large already puts any mantissa out of every range.
constexpr std::int64_t exponent_limit = std::int64_t{1} << 50;

bool all_zero(const char* text, const NumberForm& form) {
    for (std::size_t i = form.mantissa_begin; i < form.mantissa_end; ++i)
        if (text[i] != '0' && text[i] != '.') return false;
    return true;
}

std::int64_t exponent_value(const char* text, std::size_t size, const NumberForm& form) {
    if (!form.has_exponent) return 0;
    std::int64_t value = 0;
    for (std::size_t i = form.exponent_digits; i < size; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > exponent_limit) value = exponent_limit;
    }
    return form.exponent_negative ? -value : value;
}

// The power of ten of the leading non-zero digit: 2 for 123.4, -4 for
// 0.00012, so that a number out of double range is told to be too large
// (at least 1) or too small.
std::int64_t decimal_order(const char* text, std::size_t size, const NumberForm& form) {
    std::int64_t digit = 0;
    for (std::size_t i = form.mantissa_begin; i < form.mantissa_end; ++i) {
        if (text[i] == '.') continue;
        if (text[i] != '0') break;
        ++digit;
    }
    return static_cast<std::int64_t>(form.integer_digits) - 1 - digit +
           exponent_value(text, size, form);
}

// The standard conversion knows only a minus sign and E/e exponents; the
// other spellings are rewritten into this scratch text, kept between
// calls so that a long text costs an allocation once.
std::vector<char>& scratch() {
    static std::vector<char> text;
    return text;
}

struct Convertible {
    const char* begin;
    const char* end;
};

Convertible convertible_text(const char* text, std::size_t size, const NumberForm& form) {
    const bool written_as_e = form.exponent_letter == 'E' || form.exponent_letter == 'e';
    if (!form.has_exponent || written_as_e) {
        const std::size_t from = form.negative ? form.mantissa_begin - 1 : form.mantissa_begin;
        return {text + from, text + size};
    }
    std::vector<char>& out = scratch();
    allocate_or_stop([&] {
        out.clear();
        if (form.negative) out.push_back('-');
        out.insert(out.end(), text + form.mantissa_begin, text + form.mantissa_end);
        out.push_back('e');
        if (form.exponent_negative) out.push_back('-');
        out.insert(out.end(), text + form.exponent_digits, text + size);
    });
    return {out.data(), out.data() + out.size()};
}

// The digits of a number whose mantissa, point left out, is an integer
// below 2^53 and whose power of ten, once the point is moved to the end,
// lies within +-22: both are exact doubles, so one multiplication or
// division rounds once, to the nearest double, as the standard conversion
// does. Most typed numbers are such; the rest go the long way.
struct SmallDecimal {
    std::uint64_t digits = 0;
    int power = 0;
};

constexpr std::uint64_t exact_integer_limit = std::uint64_t{1} << 53;
constexpr int exact_power_limit = 22;
constexpr double powers_of_ten[exact_power_limit + 1] = {
    1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

bool small_decimal(const char* text, std::size_t size, const NumberForm& form, SmallDecimal& d) {
    int fraction_digits = 0;
    for (std::size_t i = form.mantissa_begin; i < form.mantissa_end; ++i) {
        if (text[i] == '.') {
            fraction_digits = static_cast<int>(form.mantissa_end - i - 1);
            continue;
        }
        if (d.digits >= exact_integer_limit / 10) return false;
        d.digits = d.digits * 10 + static_cast<unsigned>(text[i] - '0');
    }
    const std::int64_t power = exponent_value(text, size, form) - fraction_digits;
    if (power < -exact_power_limit || power > exact_power_limit) return false;
    d.power = static_cast<int>(power);
    return true;
}

double small_decimal_value(const SmallDecimal& d) {
    const double digits = static_cast<double>(d.digits);
    return d.power < 0 ? digits / powers_of_ten[-d.power] : digits * powers_of_ten[d.power];
}

// The double a number converts to, stopping when it is too large for one;
// 0 for one too small.
double double_value(const char* text, std::size_t size, const NumberForm& form) {
    SmallDecimal small;
    if (small_decimal(text, size, form, small)) {
        const double value = small_decimal_value(small);
        return form.negative ? -value : value;
    }
    const Convertible number = convertible_text(text, size, form);
    double value = 0;
    const std::from_chars_result result = std::from_chars(number.begin, number.end, value);
    if (result.ptr != number.end) io_stop(IoStop::invalid_real);
    if (result.ec == std::errc::result_out_of_range || std::isinf(value)) {
        if (decimal_order(text, size, form) >= 0) io_stop(IoStop::real_conversion_overflow);
        return form.negative ? -0.0 : 0.0;
    }
    if (result.ec != std::errc{}) io_stop(IoStop::invalid_real);
    return value;
}

}  // namespace

float real_from_text(const char* text, std::size_t size) {
    const NumberForm form = number_form(text, size);
    if (all_zero(text, form)) return form.negative ? -0.0f : 0.0f;

    const FpQuiet quiet;
    const double value = double_value(text, size, form);
    if (std::fabs(value) > largest_accepted) io_stop(IoStop::real_out_of_range);
    return static_cast<float>(value);
}

}  // namespace textio
