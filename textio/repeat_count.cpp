#include "textio/repeat_count.hpp"

#include "textio/stop.hpp"

namespace textio {

namespace {

constexpr std::uint64_t largest_decimal_count = 2147483647;
constexpr std::uint64_t largest_radix_count = 0xFFFFFFFF;
constexpr std::uint64_t saturated = std::uint64_t{1} << 40;  // above any count or base

// 0 to 35 for the digits and letters of bases up to 36; 36 for anything else.
unsigned digit_value(char c) {
    if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned>(c - 'A') + 10;
    if (c >= 'a' && c <= 'z') return static_cast<unsigned>(c - 'a') + 10;
    return 36;
}

std::uint32_t radix_digits(const char* text, std::size_t size, std::uint64_t base) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < size; ++i) {
        if (text[i] == '#') io_stop(IoStop::radix_second_number_sign);
        const unsigned digit = digit_value(text[i]);
        if (digit >= base) io_stop(IoStop::invalid_repeat_count);
        value = value * base + digit;
        if (value > largest_radix_count) io_stop(IoStop::repeat_count_overflow);
    }
    return static_cast<std::uint32_t>(value);
}

}  // namespace

std::uint32_t repeat_count(const char* text, std::size_t size) {
    std::size_t i = 0;
    if (i < size && text[i] == '-') io_stop(IoStop::invalid_repeat_count);
    if (i < size && text[i] == '+') ++i;
    // Decimal digits: the count itself, or the base of a radix form. They
    // saturate, since which of the two they are shows only after them.
    const std::size_t digits_start = i;
    std::uint64_t value = 0;
    for (; i < size && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + static_cast<unsigned>(text[i] - '0');
        if (value > saturated) value = saturated;
    }
    if (i == size) {
        if (value > largest_decimal_count) io_stop(IoStop::repeat_count_overflow);
        return static_cast<std::uint32_t>(value);
    }
    if (text[i] != '#') io_stop(IoStop::invalid_repeat_count);
    const std::uint64_t base = i == digits_start ? 16 : value;
    if (base < 2 || base > 36) io_stop(IoStop::radix_base_out_of_range);
    return radix_digits(text + i + 1, size - i - 1, base);
}

}  // namespace textio
