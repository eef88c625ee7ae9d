// A value text far longer than any record reads exactly as the whole text
// would, as a REAL and as a repeat count, and takes bounded room.

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <random>
#include <string>

#include "textio/real_from_text.hpp"
#include "textio/repeat_count.hpp"
#include "textio/stop.hpp"
#include "textio/value_text.hpp"

namespace {

struct Stopped {
    int number;
};

[[noreturn]] void throw_stop(char, int number) { throw Stopped{number}; }

// What reading a text gives: a stop number, or the bits of the value.
std::string as_real(const char* text, std::size_t size) {
    try {
        return "value " + std::to_string(std::bit_cast<std::uint32_t>(textio::real_from_text(text, size)));
    } catch (const Stopped& s) {
        return "stop " + std::to_string(s.number);
    }
}

std::string as_count(const char* text, std::size_t size) {
    try {
        return "count " + std::to_string(textio::repeat_count(text, size));
    } catch (const Stopped& s) {
        return "stop " + std::to_string(s.number);
    }
}

// The room a text may take however long the value: the whole-text limit.
constexpr std::size_t most_room = 4096;

class LongValue : public testing::Test {
protected:
    void SetUp() override { textio::intercept_stops(throw_stop); }
    void TearDown() override { textio::intercept_stops(nullptr); }

    // Adds text a character at a time, as the scan does, and checks that
    // it reads as the whole text.
    void expect_same_reading(const std::string& text) {
        textio::ValueText kept;
        kept.clear();
        for (char c : text) kept.add(c);
        const std::string shown = text.size() > 60 ? text.substr(0, 30) + "..." + text.substr(text.size() - 30) : text;
        SCOPED_TRACE(shown + " (" + std::to_string(text.size()) + " characters)");
        EXPECT_FALSE(kept.empty());
        EXPECT_LE(kept.chars.size(), most_room);
        EXPECT_EQ(as_real(kept.data(), kept.size), as_real(text.data(), text.size()));
        EXPECT_EQ(as_count(kept.data(), kept.size), as_count(text.data(), text.size()));
    }
};

std::string runs(char c, std::size_t n) { return std::string(n, c); }

constexpr std::size_t n = 20000;

TEST_F(LongValue, ReadsAsTheWholeText) {
    const std::string n_text = std::to_string(n);
    const std::string cases[] = {
        runs('7', n),                                   // too large, as a number and as a count
        runs('0', n),                                   // zero; a zero count
        runs('0', n) + "2.5",                           // leading zeros
        "+" + runs('0', n) + "5",                       // a count of 5 after its zeros
        "-" + runs('1', n),                             // a minus sign: no count
        runs('0', n) + "16#" + runs('0', n) + "FF",     // a radix count of 255
        "#" + runs('0', n) + "1",                       // base 16 by default
        "16#" + runs('1', n),                           // a radix count too large
        "2#" + runs('0', n) + "2",                      // a digit beyond the base
        runs('0', n) + "37#1",                          // a base beyond 36
        runs('1', n) + "#",                             // a base far beyond 36
        "1" + runs('0', n) + "E-" + n_text,             // 1, its size put right by the exponent
        "1" + runs('0', n) + "D-" + n_text,
        "1" + runs('0', n) + "-" + n_text,              // an exponent written as a bare sign
        "-1" + runs('0', n) + ".5" + runs('0', n) + "E-" + n_text,
        "0." + runs('0', n) + "1E" + std::to_string(n + 1),   // 1 again, from the other side
        "0." + runs('0', n) + "1",                      // too small: zero
        "-0." + runs('0', n),                           // negative zero
        "1." + runs('0', n) + "1",
        "1E" + runs('0', n) + "5",                      // leading zeros of an exponent
        "1E" + runs('9', n),                            // an exponent beyond every range
        "1E-" + runs('9', n),
        "1E+" + runs('0', n),
        "1.5" + runs('x', n),                           // no number at all
        runs('x', n),
        runs('5', n) + "x",
        runs('5', n) + "E",                             // an exponent without digits
        runs('5', n) + ".E" + runs('0', n) + "-",
        "(" + runs('a', n) + ")",
        runs('0', n) + "-1",
        runs('3', 799) + runs('0', n) + "E-" + std::to_string(n + 799 - 30),   // digits at the edge of those kept
        runs('3', 801) + runs('0', n) + "E-" + std::to_string(n + 801 - 30),
    };
    for (const std::string& text : cases) expect_same_reading(text);
}

// 1 + 2^-24 + 2^-53 lies halfway between two doubles; ties to even gives
// the float halfway 1 + 2^-24, which rounds to 1. Anything but zeros
// after it, however far, tips both roundings up.
TEST_F(LongValue, DigitsFarBehindStillRound) {
    const std::string halfway = "1.00000005960464488641292746251565404236316680908203125";
    expect_same_reading(halfway + runs('0', n));
    expect_same_reading(halfway + runs('0', n) + "1");
    expect_same_reading(halfway + runs('0', n) + "1" + runs('0', n) + "E0");
    textio::ValueText tipped;
    tipped.clear();
    for (char c : halfway + runs('0', n) + "1") tipped.add(c);
    EXPECT_EQ(textio::real_from_text(tipped.data(), tipped.size), 1.00000012f);
}

// Texts built from long runs and the characters that matter around them.
TEST_F(LongValue, RandomTextsOfLongRuns) {
    const char* const pieces[] = {"0", "9", "1", ".", "E", "D", "-", "+", "#", "x", "F", "00000000000000000000"};
    std::mt19937 random(20261211);
    for (int round = 0; round < 300; ++round) {
        std::string text;
        const int count = 1 + static_cast<int>(random() % 8);
        for (int k = 0; k < count; ++k) {
            const char* piece = pieces[random() % std::size(pieces)];
            const std::size_t repeats = random() % 4 == 0 ? 1 + random() % 3000 : 1;
            for (std::size_t r = 0; r < repeats; ++r) text += piece;
        }
        if (text.size() > 4096) expect_same_reading(text);
    }
}

}  // namespace
