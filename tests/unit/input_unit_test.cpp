#include "textio/input_unit.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "tests/unit/fed_input.hpp"
#include "textio/list_read.hpp"

namespace {

using textio_test::FedInput;
using textio_test::read_pair;
using textio_test::read_stop;
using textio_test::Source;
using textio_test::write_all;

const std::vector<float> one_two{1.0f, 2.0f};
const std::vector<float> three_four{3.0f, 4.0f};

// The characters of one record as the unit delivers them, up to the CR or
// LF that ends its text.
std::string record_text(textio::InputUnit& unit) {
    textio::start_read_statement(unit);
    std::string text;
    for (char c = textio::next_char(unit); c != '\r' && c != '\n'; c = textio::next_char(unit))
        text += c;
    textio::put_back(unit);
    textio::finish_record(unit);
    return text;
}

TEST(InputUnit, DeliversRecordsUpToTheirCrOrLf) {
    for (const Source source : {Source::console, Source::table}) {
        FedInput in("abc\rdef\nplain\ncr lf\r\n\n\x1a\x01\xff\tx\nlast", source);
        for (const char* expected : {"abc", "plain", "cr lf", "", "\x1a\x01\xff\tx", "last"})
            EXPECT_EQ(record_text(in.unit()), expected);
        EXPECT_EXIT(textio::next_char(in.unit()), testing::ExitedWithCode(1),
                    read_stop(6501, source));
    }
}

TEST(InputUnit, PutBackDeliversTheSameCharacterAgain) {
    FedInput in("xy\n", Source::table);
    textio::start_read_statement(in.unit());
    EXPECT_EQ(textio::next_char(in.unit()), 'x');
    textio::put_back(in.unit());
    EXPECT_EQ(textio::next_char(in.unit()), 'x');
    EXPECT_EQ(textio::next_char(in.unit()), 'y');
}

// Records of every length around the 1024-byte blocks of the table file.
TEST(InputUnit, RecordsRunAcrossReadBlocks) {
    std::string file;
    std::vector<std::string> records;
    for (std::size_t length = 0; length < 2100; length += 97) {
        records.push_back(std::string(length, 'a' + length % 26));
        file += records.back() + (length % 2 ? "\r\n" : "\n");
    }
    FedInput in(file, Source::table);
    for (const std::string& record : records) ASSERT_EQ(record_text(in.unit()), record);
}

TEST(InputUnitDeathTest, EmptyInputIsTheEndOfTheFile) {
    for (const Source source : {Source::console, Source::table}) {
        EXPECT_EXIT(
            {
                FedInput in("", source);
                read_pair(in.unit());
            },
            testing::ExitedWithCode(1), read_stop(6501, source));
    }
}

// A descriptor open for writing only cannot be read.
TEST(InputUnitDeathTest, AFailedReadRequestIsAReadFailure) {
    const auto read_write_end = [] {
        int ends[2];
        if (pipe(ends) != 0) _exit(2);
        textio::InputUnit unit =
            textio::make_input_unit(ends[1], "fc_tab10.dat", textio::table_block, false, false);
        textio::start_read_statement(unit);
        textio::next_char(unit);
    };
    EXPECT_EXIT(read_write_end(), testing::ExitedWithCode(1), read_stop(6500, Source::table));
}

// Redirected console input ends at a line whose last character is Ctrl+Z,
// when the reader comes to that line, wherever the read blocks split.
TEST(InputUnitDeathTest, RedirectedConsoleEndsAtACtrlZLine) {
    const std::string long_line = "1 2" + std::string(197, ' ') + "\n";
    // Each with a line after it that must not be read.
    const char* ctrl_z_lines[] = {"\x1a\n3 4\n", "\x1a\r\n3 4\n", "\x1a", "3 4\x1a\n5 6\n",
                                  "3 4 \x1a\r\n5 6\n"};
    for (const std::string& before : {std::string("1 2\n"), long_line}) {
        for (const char* line : ctrl_z_lines) {
            SCOPED_TRACE(testing::PrintToString(before + line));
            EXPECT_EXIT(
                {
                    FedInput in(before + line);
                    if (read_pair(in.unit()) != one_two) _exit(2);
                    read_pair(in.unit());
                },
                testing::ExitedWithCode(1), read_stop(6501));
        }
    }
}

// Ctrl+Z anywhere else is an ordinary character: here it stands after the
// values used, so the lines read as if it were not there. The first
// places it third from the end of a 132-byte read block.
TEST(InputUnit, CtrlZInsideALineIsOrdinary) {
    const std::string at_block_end = "1 2" + std::string(126, ' ') + "\x1a" + "xy   \n";
    ASSERT_EQ(at_block_end[129], '\x1a');
    for (const std::string& line : {at_block_end, std::string("1 2 \x1a 5\n"),
                                   std::string("1 2 \x1a\x1a x\n"), std::string("1 2 \x1a\rx\n")}) {
        SCOPED_TRACE(testing::PrintToString(line));
        FedInput in(line + "3 4\n");
        EXPECT_EQ(read_pair(in.unit()), one_two);
        EXPECT_EQ(read_pair(in.unit()), three_four);
    }
}

// The Ctrl+Z rule holds for lines that could have been typed, of up to 130
// characters; a longer line is taken as it comes, and its Ctrl+Z is an
// ordinary character.
TEST(InputUnitDeathTest, CtrlZEndsOnlyLinesThatFitATypedLine) {
    const auto line_of = [](std::size_t text, const char* end) {
        return "1 2" + std::string(text - 4, ' ') + "\x1a" + end;
    };
    for (const char* end : {"\n", "\r\n"}) {
        SCOPED_TRACE(testing::PrintToString(std::string(end)));
        EXPECT_EXIT(
            {
                FedInput in(line_of(130, end) + "3 4\n");
                read_pair(in.unit());
            },
            testing::ExitedWithCode(1), read_stop(6501));
        for (std::size_t text : {131, 132, 133, 1000000}) {
            FedInput in(line_of(text, end) + "3 4\n");
            EXPECT_EQ(read_pair(in.unit()), one_two) << text;
            EXPECT_EQ(read_pair(in.unit()), three_four) << text;
        }
    }
}

// However long a line, the unit holds no more than a typed line and a
// read block of it.
TEST(InputUnit, LongLinesTakeNoMoreRoom) {
    FedInput in("1" + std::string(1000000, ' ') + "2" + std::string(1000000, ' ') + "\n3 4\n");
    EXPECT_EQ(read_pair(in.unit()), one_two);
    EXPECT_EQ(read_pair(in.unit()), three_four);
    EXPECT_LE(in.unit().buffer.size(), 2 * textio::console_block + 2);
}

// The table file knows no Ctrl+Z rule.
TEST(InputUnit, CtrlZLineInTheTableFileIsText) {
    FedInput in("\x1a\n1 2\n", Source::table);
    EXPECT_EQ(record_text(in.unit()), "\x1a");
    EXPECT_EQ(read_pair(in.unit()), one_two);
}

// A pipe that delivers a byte at a time: lines are gathered over many
// read requests, and a Ctrl+Z line is still seen whole.
TEST(InputUnitDeathTest, SlowPipeLinesAreGatheredWhole) {
    const auto read_slow_pipe = [] {
        int ends[2];
        if (pipe(ends) != 0) _exit(2);
        const std::string input = "1" + std::string(400, ' ') + "2\n3 4\n\x1a\n5 6\n";
        std::thread writer([&] {
            for (const char c : input) {
                write_all(ends[1], std::string_view(&c, 1));
                std::this_thread::sleep_for(std::chrono::microseconds(200));
            }
            close(ends[1]);
        });
        writer.detach();
        textio::InputUnit unit =
            textio::make_input_unit(ends[0], "CON", textio::console_block, true, false);
        if (read_pair(unit) != one_two) _exit(3);
        if (read_pair(unit) != three_four) _exit(4);
        read_pair(unit);
    };
    EXPECT_EXIT(read_slow_pipe(), testing::ExitedWithCode(1), read_stop(6501));
}

}  // namespace
