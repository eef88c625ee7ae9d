#include "textio/decimal_digits.hpp"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

namespace textio {

namespace {

// GCC and Clang have 128-bit integers on every 64-bit target this builds on.
__extension__ typedef unsigned __int128 u128;

// A REAL is m x 2^e with m below 2^24 and e from -149 to 104. Its first
// 18 digits are floor(m x 2^e x 10^s) for the s that puts the value
// between 10^17 and 10^18: s runs from 62 (the smallest subnormal) down
// to -21 (the largest REAL).
constexpr int most_scale = 62;

// 5^s for s = 0..62 in three 64-bit words, least significant first;
// 5^62 has 144 bits.
struct Wide {
    std::uint64_t word[3];
};

constexpr std::array<Wide, most_scale + 1> powers_of_five = [] {
    std::array<Wide, most_scale + 1> p{};
    p[0] = {{1, 0, 0}};
    for (int s = 1; s <= most_scale; ++s) {
        u128 carry = 0;
        for (int w = 0; w < 3; ++w) {
            const u128 t = u128{p[s - 1].word[w]} * 5 + carry;
            p[s].word[w] = static_cast<std::uint64_t>(t);
            carry = t >> 64;
        }
    }
    return p;
}();

constexpr std::uint64_t power_of_ten(int n) {
    std::uint64_t p = 1;
    while (n-- > 0) p *= 10;
    return p;
}

constexpr std::uint64_t eighteen_digits = power_of_ten(17);   // the least 18-digit number

// floor(m x 5^s / 2^shift), known to be below 2^64: m x 5^s has at most
// 24 + 144 bits.
std::uint64_t times_power_of_five_shifted(std::uint32_t m, int s, int shift) {
    const Wide& p = powers_of_five[static_cast<std::size_t>(s)];
    const u128 low = u128{m} * p.word[0];
    const u128 middle = u128{m} * p.word[1] + (low >> 64);
    const std::uint64_t top = m * p.word[2] + static_cast<std::uint64_t>(middle >> 64);
    // The product as a 128-bit high part over a 64-bit low word.
    const u128 high = u128{top} << 64 | static_cast<std::uint64_t>(middle);
    const auto word0 = static_cast<std::uint64_t>(low);
    if (shift >= 64) return static_cast<std::uint64_t>(high >> (shift - 64));
    if (shift == 0) return word0;
    return static_cast<std::uint64_t>(high << (64 - shift)) | word0 >> shift;
}

// floor(m x 2^e x 10^s).
std::uint64_t scaled(std::uint32_t m, int e, int s) {
    const int twos = e + s;
    if (s >= 0) {
        if (twos >= 0) return times_power_of_five_shifted(m, s, 0) << twos;
        return times_power_of_five_shifted(m, s, -twos);
    }
    // A value of 10^18 and more: e + s is never negative here, m x 2^(e+s)
    // has at most 24 + 103 bits, and 5^-s, down to 5^21, fits one word.
    const u128 numerator = u128{m} << twos;
    const std::uint64_t divisor = powers_of_five[static_cast<std::size_t>(-s)].word[0];
    return static_cast<std::uint64_t>(numerator / divisor);
}

}  // namespace

LeadingDigits leading_digits(float value) {
    const std::uint32_t bits = std::bit_cast<std::uint32_t>(value) & 0x7fff'ffffu;
    const int biased = static_cast<int>(bits >> 23);
    const std::uint32_t m = biased == 0 ? bits : (bits & 0x7f'ffffu) | 0x80'0000u;
    const int e = biased == 0 ? -149 : biased - 150;

    // 2^(b-1) <= value < 2^b, so 10^(p-1) <= value < 2 x 10^p for
    // p = floor((b-1) log10 2) + 1, and the true exponent is p or p + 1.
    // 78913 / 2^18 is log10(2) to within 3e-7, close enough for every b a
    // REAL has (the shift rounds down for negative b too).
    const int b = std::bit_width(m) + e;
    const int p = ((b - 1) * 78913 >> 18) + 1;
    const std::uint64_t digits = scaled(m, e, LeadingDigits::count - p);
    if (digits >= 10 * eighteen_digits) return {digits / 10, p + 1};
    return {digits, p};
}

}  // namespace textio
