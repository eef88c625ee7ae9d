#include "textio/repeat_count.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

std::uint32_t count_of(const std::string& text) {
    return textio::repeat_count(text.data(), text.size());
}

TEST(RepeatCount, ReadsDecimalAndRadixForms) {
    const struct {
        const char* text;
        std::uint32_t count;
    } cases[] = {
        {"", 0},           {"+", 0},           {"3", 3},            {"+3", 3},
        {"007", 7},        {"2147483647", 2147483647u},             {"16#A", 10},
        {"#A", 10},        {"#a", 10},         {"+#1f", 31},        {"2#101", 5},
        {"36#Z", 35},      {"36#z", 35},       {"10#99", 99},       {"8#17", 15},
        {"#FFFFFFFF", 4294967295u},            {"02#11", 3},        {"16#", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(count_of(c.text), c.count);
    }
}

TEST(RepeatCountDeathTest, RefusesWhatIsNotACount) {
    const struct {
        const char* text;
        int stop;
    } cases[] = {
        {"-2", 6101},                {"-", 6101},          {"-0", 6101},
        {"1x", 6101},                {"1.5", 6101},        {"2#2", 6101},
        {"16#G", 6101},              {"10#A", 6101},       {"#-1", 6101},
        {"2147483648", 6100},        {"99999999999999999999999", 6100},
        {"#100000000", 6100},        {"2#111111111111111111111111111111111", 6100},
        {"37#1", 6303},              {"1#1", 6303},        {"0#1", 6303},
        {"99999999999999#1", 6303},  {"16#1#2", 6302},     {"##1", 6302},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EXIT(count_of(c.text), testing::ExitedWithCode(1),
                    "run-time error F" + std::to_string(c.stop));
    }
}

}  // namespace
