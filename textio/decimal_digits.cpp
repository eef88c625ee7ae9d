#include "textio/decimal_digits.hpp"

#include <bit>

namespace textio {

namespace {

__extension__ typedef unsigned __int128 uint128;

// A REAL is m x 2^e with an integer m below 2^24. Its first 18 digits are
// the integer T = floor(m x 2^e / 10^q) for the q that puts T between
// 10^17 and 10^18; everything below is integer arithmetic on T's way
// there, exact, and free of floating-point operations (the run's traps
// stay armed while a value is rendered).
struct BinaryValue {
    std::uint32_t m;
    int e;
};

BinaryValue binary_value(float value) {
    const std::uint32_t bits = std::bit_cast<std::uint32_t>(value);
    const int biased = static_cast<int>(bits >> 23 & 0xff);
    const std::uint32_t fraction = bits & 0x7f'ffff;
    if (biased == 0) return {fraction, -149};
    return {fraction | 0x80'0000, biased - 150};
}

// A number of three 64-bit limbs, least significant first: room for
// m x 5^62, the largest product needed (the smallest subnormal, scaled up
// by 10^62 to reach 18 digits).
struct Wide {
    std::uint64_t limb[3] = {};
};

constexpr int max_five_power = 62;

constexpr Wide times(Wide x, std::uint64_t factor) {
    uint128 carry = 0;
    for (std::uint64_t& limb : x.limb) {
        const uint128 t = static_cast<uint128>(limb) * factor + carry;
        limb = static_cast<std::uint64_t>(t);
        carry = t >> 64;
    }
    return x;
}

struct PowersOfFive {
    Wide power[max_five_power + 1];

    constexpr PowersOfFive() {
        power[0].limb[0] = 1;
        for (int j = 1; j <= max_five_power; ++j) power[j] = times(power[j - 1], 5);
    }
};

constexpr PowersOfFive powers_of_five;

constexpr uint128 power_of_ten(int n) {
    uint128 p = 1;
    for (int i = 0; i < n; ++i) p *= 10;
    return p;
}

// The low 64 bits of x shifted right by `shift` (left when negative).
std::uint64_t shifted(const Wide& x, int shift) {
    if (shift < 0) return x.limb[0] << -shift;
    const int index = shift / 64;
    const int bit = shift % 64;
    const std::uint64_t low = index < 3 ? x.limb[index] : 0;
    const std::uint64_t high = index + 1 < 3 ? x.limb[index + 1] : 0;
    return bit == 0 ? low : (low >> bit | high << (64 - bit));
}

// floor(m x 2^e / 10^q); the caller's q keeps the result below 10^19.
std::uint64_t scaled(BinaryValue v, int q) {
    if (q >= 0) {
        // At least 10^17, so e is positive and m x 2^e, below 2^128, fits.
        return static_cast<std::uint64_t>((static_cast<uint128>(v.m) << v.e) / power_of_ten(q));
    }
    const int j = -q;
    if (v.e >= 0) {
        // Below 10^17, so j is at most 17 and 10^j fits 64 bits.
        return static_cast<std::uint64_t>(static_cast<uint128>(v.m) *
                                          static_cast<std::uint64_t>(power_of_ten(j)) << v.e);
    }
    // m x 10^j / 2^-e = m x 5^j / 2^(-e - j).
    return shifted(times(powers_of_five.power[j], v.m), -v.e - j);
}

}  // namespace

LeadingDigits leading_digits(float value) {
    const BinaryValue v = binary_value(value);
    // floor(log2) of the value, then floor(log10) within one: the value
    // lies in [10^k, 10^(k+2)).
    const int binary_exponent = std::bit_width(v.m) - 1 + v.e;
    const int k = (binary_exponent * 78913) >> 18;

    std::uint64_t t = scaled(v, k - 17);
    int exponent = k + 1;
    if (t >= static_cast<std::uint64_t>(power_of_ten(LeadingDigits::count))) {
        t /= 10;
        ++exponent;
    }

    // Two halves of nine digits each, independent of one another.
    LeadingDigits lead;
    lead.exponent = exponent;
    auto high = static_cast<std::uint32_t>(t / 1'000'000'000);
    auto low = static_cast<std::uint32_t>(t % 1'000'000'000);
    for (int i = 8; i >= 0; --i) {
        lead.digits[i] = static_cast<std::uint8_t>(high % 10);
        lead.digits[i + 9] = static_cast<std::uint8_t>(low % 10);
        high /= 10;
        low /= 10;
    }
    return lead;
}

}  // namespace textio
