#include "textio/list_read.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/unit/fed_input.hpp"

namespace {

using textio_test::FedInput;
using textio_test::read_stop;
using textio_test::Source;

using textio_test::read_items;
using textio_test::unchanged;

// Each input holds one statement's values and then the value that the
// next statement, of one item, reads: so each case also shows where the
// first statement left the unit.
struct ListCase {
    const char* input;
    std::vector<float> items;
    float next;
};

void check_cases(const std::vector<ListCase>& cases, Source source) {
    for (const ListCase& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::string(c.input)));
        FedInput in(c.input, source);
        EXPECT_EQ(read_items(in.unit(), c.items.size()), c.items);
        EXPECT_EQ(read_items(in.unit(), 1), std::vector<float>{c.next});
    }
}

constexpr float u = unchanged;

TEST(ListRead, SeparatorsNullsAndSlash) {
    check_cases({
        {"1.5 2\n9\n", {1.5f, 2.0f}, 9.0f},
        {"1.5,2\n9\n", {1.5f, 2.0f}, 9.0f},
        {"1.5 , 2\n9\n", {1.5f, 2.0f}, 9.0f},
        {"  1.5\t2  \n9\n", {1.5f, 2.0f}, 9.0f},
        {"1,5\n9\n", {1.0f, 5.0f}, 9.0f},
        {"1 5\n9\n", {1.0f, 5.0f}, 9.0f},
        {"1.5 2 3\n9\n", {1.5f, 2.0f}, 9.0f},
        {"1.5,,\n9\n", {1.5f, u}, 9.0f},
        {"1.5 /\n9\n", {1.5f, u}, 9.0f},
        {"1.5/2\n9\n", {1.5f, u}, 9.0f},
        {",2\n9\n", {u, 2.0f}, 9.0f},
        {" , 2\n9\n", {u, 2.0f}, 9.0f},
        {", ,\n9\n", {u, u}, 9.0f},
        {"1.5 , , 3\n9\n", {1.5f, u}, 9.0f},
        {"/\n9\n", {u, u}, 9.0f},
        {"/ 1 2\n9\n", {u, u}, 9.0f},
        {"1.5\r\n2\r\n9\r\n", {1.5f, 2.0f}, 9.0f},
        {"1.5 2\r3 4\n9\n", {1.5f, 2.0f}, 9.0f},
        {"1.5\rjunk\n2\n9\n", {1.5f, 2.0f}, 9.0f},
    }, Source::console);
}

TEST(ListRead, ValuesAcrossRecords) {
    check_cases({
        {"1.5\n2\n9\n", {1.5f, 2.0f}, 9.0f},
        {"\n   \n\t\n1.5\n\n2\n9\n", {1.5f, 2.0f}, 9.0f},
        {"1.5,\n2\n9\n", {1.5f, 2.0f}, 9.0f},
        // The comma of the second line follows the first with only a
        // record end between them: a null, and its 2 is not used.
        {"1.5,\n,2\n9\n", {1.5f, u}, 9.0f},
        {"1.5 \n , 2\n9\n", {1.5f, 2.0f}, 9.0f},
        // Ended by its record end, the statement has finished that record.
        {"1.5 2\n9\n", {1.5f, 2.0f}, 9.0f},
        {"1 2 3 4 5 6 7 8\n9 10 11\n42\n", {1, 2, 3, 4, 5, 6, 7, 8, 9}, 42.0f},
        {"1 2 3 4 5 6 7 8 9 10\n42\n", {1, 2, 3, 4, 5, 6, 7, 8, 9}, 42.0f},
        {"1 2 3\n4 5 6\n7 8 9\n42\n", {1, 2, 3, 4, 5, 6, 7, 8, 9}, 42.0f},
    }, Source::table);
}

TEST(ListRead, RepeatCounts) {
    check_cases({
        {"2*1.5\n9\n", {1.5f, 1.5f}, 9.0f},
        {"2*\n9\n", {u, u}, 9.0f},
        {"1* 2\n9\n", {u, 2.0f}, 9.0f},
        {"3*1.5\n9\n", {1.5f, 1.5f}, 9.0f},  // the third goes with the statement
        {"3*1.5 7\n9\n", {1.5f, 1.5f}, 9.0f},
        {"1*1.5 2\n9\n", {1.5f, 2.0f}, 9.0f},
        {"2*,\n9\n", {u, u}, 9.0f},
        {"2*/\n9\n", {u, u}, 9.0f},
        {"1*/ 5\n9\n", {u, u}, 9.0f},
        {"+2*7\n9\n", {7.0f, 7.0f}, 9.0f},
        {"2#10*7\n9\n", {7.0f, 7.0f}, 9.0f},
        {"#2*7\n9\n", {7.0f, 7.0f}, 9.0f},
        {"16#A*\n9\n", {u, u}, 9.0f},
        {"#A*\n9\n", {u, u}, 9.0f},
        {"2#101*\n9\n", {u, u}, 9.0f},
        {"2*50-1\n9\n", {5.0f, 5.0f}, 9.0f},
        {"1\n2*3\n9\n", {1.0f, 3.0f}, 9.0f},
    }, Source::console);
    // Nine items, with a repeat that runs across the end of a record.
    check_cases({
        {"7*0.5\n2*4\n42\n", {0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 4.0f, 4.0f}, 42.0f},
        {"1 8*\n42\n", {1.0f, u, u, u, u, u, u, u, u}, 42.0f},
    }, Source::table);
}

TEST(ListRead, ParenthesisedAndQuotedNulls) {
    check_cases({
        {"() 2\n9\n", {u, 2.0f}, 9.0f},
        {"(),2\n9\n", {u, 2.0f}, 9.0f},
        {"( ) 2\n9\n", {u, 2.0f}, 9.0f},
        {"(\n) 2\n9\n", {u, 2.0f}, 9.0f},
        {"'' 2\n9\n", {u, 2.0f}, 9.0f},
        {"\"\",2\n9\n", {u, 2.0f}, 9.0f},
        {"''\n2\n9\n", {u, 2.0f}, 9.0f},
        {"2*'' 3\n9\n", {u, u}, 9.0f},
        // A quoted value goes on in the next record without its first
        // character: here the x, so the value is empty.
        {"'\nx' 2\n9\n", {u, 2.0f}, 9.0f},
    }, Source::console);
}

TEST(ListRead, LastRecordWithoutLineEnd) {
    FedInput in("1.5 2", Source::table);
    EXPECT_EQ(read_items(in.unit(), 2), (std::vector<float>{1.5f, 2.0f}));
    EXPECT_EXIT(read_items(in.unit(), 1), testing::ExitedWithCode(1),
                read_stop(6501, Source::table));
}

TEST(ListRead, ValueTextLongerThanAnyRecordSoFar) {
    const std::string long_value = std::string(3000, '0') + "2.5";
    FedInput in("1 " + long_value + "\n9\n", Source::table);
    EXPECT_EQ(read_items(in.unit(), 2), (std::vector<float>{1.0f, 2.5f}));
    EXPECT_EQ(read_items(in.unit(), 1), std::vector<float>{9.0f});
}

// A statement stores each value as soon as it is scanned.
TEST(ListReadDeathTest, ItemsBeforeAFailureAreStored) {
    const auto read_then_fail = [] {
        FedInput in("4 x\n");
        float first = 0, second = 0;
        textio::ListRead statement(in.unit());
        statement.item(first);
        if (first != 4.0f) _exit(2);
        statement.item(second);
    };
    EXPECT_EXIT(read_then_fail(), testing::ExitedWithCode(1), read_stop(6103));
}

TEST(ListReadDeathTest, EachFailureStopsWithItsNumber) {
    const struct {
        const char* input;
        int stop;
    } cases[] = {
        {"1.5.2 1\n", 6103},       {"1.5E 1\n", 6103},     {"abc 1\n", 6103},
        {"1.5x 1\n", 6103},        {"1 1.5x\n", 6103},     {"1(2 1\n", 6103},
        {"1E39 1\n", 6104},        {"1 3.4028235E+38\n", 6104},
        {"1E400 1\n", 6102},       {"'1.5' 1\n", 6504},    {"(1.5,2)\n", 6504},
        {"1 \"a\"\n", 6504},       {"(,) 1\n", 6504},      {"(1.5/\n", 6504},
        {"'a\nb' 1\n", 6504},      {"0*1\n", 6502},        {"*1\n", 6502},
        {"+*1\n", 6502},           {"#0*1\n", 6502},       {"2*3*4\n", 6503},
        {"-2*1\n", 6101},          {"1.5*1\n", 6101},      {"16#G*1\n", 6101},
        {"2147483648*1\n", 6100},  {"#100000000*1\n", 6100},
        {"37#1*1\n", 6303},        {"1#1*1\n", 6303},      {"16#1#2*1\n", 6302},
        {"", 6501},                {"\n\n  \n", 6501},     {"1.5\n", 6501},
        {"1.5,\n", 6501},          {"'unclosed\nmore\n", 6501},
        {"(1.5\n2\n", 6501},       {"2*\n", 6501},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::string(c.input)));
        EXPECT_EXIT(
            {
                FedInput in(c.input);
                read_items(in.unit(), 2);
                read_items(in.unit(), 2);
            },
            testing::ExitedWithCode(1), read_stop(c.stop));
    }
}

TEST(ListReadDeathTest, ReportsTheTableFileByName) {
    EXPECT_EXIT(
        {
            FedInput in("1 2 1.0x 4\n", Source::table);
            read_items(in.unit(), 9);
        },
        testing::ExitedWithCode(1), read_stop(6103, Source::table));
}

}  // namespace
