#include "textio/long_number.hpp"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace textio {

namespace {

// Beyond every exponent that could bring a number back into range.
constexpr std::int64_t exponent_limit = std::int64_t{1} << 50;

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_sign(char c) { return c == '+' || c == '-'; }
bool is_exponent_letter(char c) { return c == 'E' || c == 'e' || c == 'D' || c == 'd'; }

}  // namespace

bool LongNumber::start(const char* text, std::size_t size) {
    *this = LongNumber{};
    for (std::size_t i = 0; i < size; ++i)
        if (take(text[i]) == Step::dead) return false;
    return true;
}

LongNumber::Step LongNumber::take(char c) {
    const bool first = !begun_;
    begun_ = true;
    if (is_digit(c))
        return part_ == Part::integer || part_ == Part::fraction ? take_mantissa_digit(c)
                                                                 : take_exponent_digit(c);
    switch (part_) {
    case Part::integer:
        if (first && is_sign(c)) {
            sign_ = c;
            return Step::changed;
        }
        if (c == '.') {
            part_ = Part::fraction;
            return Step::changed;
        }
        [[fallthrough]];
    case Part::fraction:
        if (!mantissa_digit_) return Step::dead;
        if (is_exponent_letter(c)) {
            part_ = Part::exponent_start;
            return Step::changed;
        }
        return is_sign(c) ? take_exponent_sign(c) : Step::dead;
    case Part::exponent_start: return is_sign(c) ? take_exponent_sign(c) : Step::dead;
    default: return Step::dead;
    }
}

LongNumber::Step LongNumber::take_exponent_sign(char sign) {
    exponent_negative_ = sign == '-';
    part_ = Part::exponent_signed;
    return Step::changed;
}

// Zeros before the first significant digit only move the point; digits
// after the kept ones count as one digit, and then only as powers of ten.
LongNumber::Step LongNumber::take_mantissa_digit(char digit) {
    const bool fraction = part_ == Part::fraction;
    const bool first_digit = !mantissa_digit_;
    mantissa_digit_ = true;
    if (kept_ == 0 && digit == '0') {
        if (fraction) --scale_;
        return first_digit ? Step::changed : Step::same;
    }
    if (kept_ < kept_digits) {
        digits_[kept_++] = digit;
        if (fraction) --scale_;
        return Step::changed;
    }
    if (!dropped_) {
        dropped_ = true;
        dropped_non_zero_ = digit != '0';
        if (fraction) --scale_;
        return Step::changed;
    }
    if (!fraction) ++scale_;
    if (digit == '0' || dropped_non_zero_) return Step::same;
    dropped_non_zero_ = true;
    return Step::changed;
}

LongNumber::Step LongNumber::take_exponent_digit(char digit) {
    const bool first = part_ != Part::exponent_digits;
    part_ = Part::exponent_digits;
    const std::int64_t before = exponent_;
    exponent_ = std::min(exponent_ * 10 + (digit - '0'), exponent_limit);
    return first || exponent_ != before ? Step::changed : Step::same;
}

std::size_t LongNumber::write(char* out) const {
    char* p = out;
    if (sign_ != '\0') *p++ = sign_;
    if (mantissa_digit_ && kept_ == 0) *p++ = '0';
    std::memcpy(p, digits_, kept_);
    p += kept_;
    if (dropped_) *p++ = dropped_non_zero_ ? '1' : '0';
    if (part_ == Part::integer) return static_cast<std::size_t>(p - out);

    *p++ = '.';
    if (!mantissa_digit_) return static_cast<std::size_t>(p - out);
    *p++ = 'E';
    switch (part_) {
    case Part::exponent_start: break;   // no exponent digit yet: not a number as it stands
    case Part::exponent_signed: *p++ = exponent_negative_ ? '-' : '+'; break;
    default: {
        // A zero is zero whatever its exponent.
        const std::int64_t power =
            kept_ == 0 ? 0 : scale_ + (exponent_negative_ ? -exponent_ : exponent_);
        p = std::to_chars(p, out + text_room, power).ptr;
    }
    }
    return static_cast<std::size_t>(p - out);
}

}  // namespace textio
