#include "textio/header_read.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/unit/fed_input.hpp"

namespace {

using textio_test::FedInput;
using textio_test::read_stop;
using textio_test::Source;

std::string read_header(textio::InputUnit& unit) {
    char line[textio::header_width];
    std::memset(line, '#', sizeof line);  // every position must be written
    textio::read_a72(unit, line);
    return std::string(line, sizeof line);
}

std::string padded(const std::string& text) { return text + std::string(72 - text.size(), ' '); }

TEST(HeaderRead, TakesUpTo72CharactersOfARecord) {
    const std::string hundred = std::string(70, 'a') + "bc" + std::string(28, 'z');
    const std::string seventy_two(72, 'q');
    const struct {
        std::string record;  // with its line end
        std::string line;
    } cases[] = {
        {"\n", padded("")},
        {"\r\n", padded("")},
        {"Feldman-Cousins belt\n", padded("Feldman-Cousins belt")},
        {"Feldman-Cousins belt\r\n", padded("Feldman-Cousins belt")},
        {hundred + "\n", hundred.substr(0, 72)},
        {seventy_two + "\n", seventy_two},
        {"a\tb\n", padded("a\tb")},
        {"abc\rdef\n", padded("abc")},
        {"\x1a z\xe9\n", padded("\x1a z\xe9")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.record));
        FedInput in(c.record + "next\n", Source::table);
        EXPECT_EQ(read_header(in.unit()), c.line);
        EXPECT_EQ(read_header(in.unit()), padded("next"));
    }
}

TEST(HeaderRead, LfAndCrLfFilesReadAlike) {
    FedInput lf("one\ntwo\n\nfour\n", Source::table);
    FedInput crlf("one\r\ntwo\r\n\r\nfour\r\n", Source::table);
    for (const char* expected : {"one", "two", "", "four"}) {
        EXPECT_EQ(read_header(lf.unit()), padded(expected));
        EXPECT_EQ(read_header(crlf.unit()), padded(expected));
    }
}

// However long the file, and wherever its read blocks end (1024 bytes).
TEST(HeaderRead, LastRecordWithoutLineEndCountsWhole) {
    for (const int filler_records : {0, 1, 102, 103, 500}) {
        SCOPED_TRACE(filler_records);
        std::string file;
        for (int i = 0; i < filler_records; ++i) file += "filler...\n";
        FedInput in(file + "last", Source::table);
        for (int i = 0; i < filler_records; ++i) ASSERT_EQ(read_header(in.unit()), padded("filler..."));
        EXPECT_EQ(read_header(in.unit()), padded("last"));
        EXPECT_EXIT(read_header(in.unit()), testing::ExitedWithCode(1),
                    read_stop(6501, Source::table));
    }
}

TEST(HeaderReadDeathTest, NoRecordIsTheEndOfTheFile) {
    EXPECT_EXIT(
        {
            FedInput in("1\n2\n", Source::table);
            for (int i = 0; i < 7; ++i) read_header(in.unit());
        },
        testing::ExitedWithCode(1), read_stop(6501, Source::table));
}

}  // namespace
