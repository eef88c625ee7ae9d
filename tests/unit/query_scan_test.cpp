// The short scan of a query line, two plain values, against the general
// list-directed scan it stands in front of: on every line below both must
// store the same bits, stop with the same number, and leave the unit at
// the same place (the next statement reads the same value). The lines are
// the forms where the two could part: separators, nulls, slashes, repeat
// counts, quotes and parentheses, record ends, Ctrl+Z, values over two
// lines, exponent spellings, overflow and signs.

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <optional>
#include <string>

#include "tests/unit/fed_input.hpp"
#include "textio/list_read.hpp"
#include "textio/stop.hpp"

namespace {

using textio_test::FedInput;
using textio_test::unchanged;

struct Stopped {
    int number;
};

[[noreturn]] void throw_stop(char, int number) { throw Stopped{number}; }

// What one query read and the one-item read after it saw.
struct Outcome {
    std::uint32_t x = 0, sigma = 0, next = 0;
    std::optional<int> stop;
    bool general_scan = false;

    bool operator==(const Outcome& o) const {
        return x == o.x && sigma == o.sigma && next == o.next && stop == o.stop;
    }
};

Outcome read_query(const std::string& input, bool try_short) {
    FedInput in(input);
    Outcome out;
    float x = unchanged, sigma = unchanged, next = unchanged;
    textio::intercept_stops(throw_stop);
    try {
        {
            textio::ListRead query(in.unit());
            if (!try_short || !query.two_plain_values(x, sigma)) {
                out.general_scan = true;
                query.item(x);
                query.item(sigma);
            }
            query.finish();
        }
        textio::ListRead after(in.unit());
        after.item(next);
        after.finish();
    } catch (const Stopped& s) {
        out.stop = s.number;
    }
    textio::intercept_stops(nullptr);
    out.x = std::bit_cast<std::uint32_t>(x);
    out.sigma = std::bit_cast<std::uint32_t>(sigma);
    out.next = std::bit_cast<std::uint32_t>(next);
    return out;
}

struct Line {
    const char* input;
    bool general;   // whether the short scan leaves the line to the general scan
};

TEST(QueryScan, ShortScanAgreesWithTheGeneralScan) {
    const Line lines[] = {
        // Plain pairs with every separator and line end.
        {"1.5 2\n9\n", false},
        {"1.5,2\n9\n", false},
        {"1.5 , 2\n9\n", false},
        {"  1.5\t2  \n9\n", false},
        {"1.5\t,\t2\n9\n", false},
        {"1.5 2\r\n9\n", false},
        {"1.5 2 3\n9\n", false},
        {"1.5 2,3\n9\n", false},
        {"1.5 2/\n9\n", false},
        {"1.5 2 /junk\n9\n", false},
        {"1.5 2\r3 4\n9\n", false},
        {"1 2", false},
        {"1 2\n", false},
        // Number spellings, signs and zeros.
        {"+5 -5\n9\n", false},
        {"-0 +0\n9\n", false},
        {"5D0 5d-1\n9\n", false},
        {"2.5-3 1+2\n9\n", false},
        {".5 5.\n9\n", false},
        {"0.1 0.2\n9\n", false},
        {"1.17549435E-38 1.4E-45\n9\n", false},
        {"3.4028234E+38 -3.4028234E+38\n9\n", false},
        {"123456789012345678901234567890 1e-30\n9\n", false},
        {"0.000000000000000000000000000000000001 1\n9\n", false},
        // Overflow, underflow and texts that are no number: the same stop.
        {"1E39 1\n9\n", false},
        {"1 1E39\n9\n", false},
        {"3.4028235E+38 1\n9\n", false},
        {"1E400 1\n9\n", false},
        {"1 -1E400\n9\n", false},
        {"1E-50 -1E-400\n9\n", false},
        {"abc 1\n9\n", false},
        {"1 abc\n9\n", false},
        {"1.5x 2\n9\n", false},
        {"1.5.2 2\n9\n", false},
        {"1E 2\n9\n", false},
        {"1 2E+\n9\n", false},
        {"1\x1a 2\n9\n", false},          // Ctrl+Z inside a line is a character
        // Input that ends at the first line wanted reaches neither scan.
        {"1.5 2\x1a\n9\n", false},      // Ctrl+Z last ends the input
        {"1.5 2\x1a\r\n9\n", false},
        {"\x1a\n1 2\n", false},
        {"", false},
        // Lines the general scan must take.
        {"1.5\n2\n9\n", true},
        {"1.5,\n2\n9\n", true},
        {"1.5,\n,2\n9\n", true},
        {"1.5 \n , 2\n9\n", true},
        {"\n   \n1.5 2\n9\n", true},
        {"1.5\r2\n9\n", true},
        {"1.5\rjunk\n2\n9\n", true},
        {"1.5,,\n9\n", true},
        {"1.5, ,2\n9\n", true},
        {"1.5 /\n9\n", true},
        {"1.5/2\n9\n", true},
        {",2\n9\n", true},
        {" , 2\n9\n", true},
        {"/\n9\n", true},
        {"2*1.5\n9\n", true},
        {"1* 2\n9\n", true},
        {"1.5 2*3\n9\n", true},
        {"1.5 2*\n9\n", true},
        {"0*1 2\n9\n", true},
        {"1 2*3*4\n9\n", true},
        {"'1.5' 2\n9\n", true},
        {"1 '2'\n9\n", true},
        {"1 \"2\"\n9\n", true},
        {"(1.5,2) 3\n9\n", true},
        {"() 2\n9\n", true},
        {"1 (2)\n9\n", true},
        {"1 2(\n9\n", true},
        {"1(2 3\n9\n", true},
        {"1.5\n", true},
        {"\n\n", true},
    };
    for (const Line& line : lines) {
        SCOPED_TRACE(testing::PrintToString(std::string(line.input)));
        const Outcome general = read_query(line.input, false);
        const Outcome fast = read_query(line.input, true);
        EXPECT_EQ(fast, general) << "x " << std::bit_cast<float>(fast.x) << " / "
                                 << std::bit_cast<float>(general.x) << ", sigma "
                                 << std::bit_cast<float>(fast.sigma) << " / "
                                 << std::bit_cast<float>(general.sigma) << ", stop "
                                 << fast.stop.value_or(0) << " / " << general.stop.value_or(0);
        EXPECT_EQ(fast.general_scan, line.general);
    }
}

}  // namespace
