#include "textio/formatted_write.hpp"
#include "textio/list_write.hpp"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "tests/unit/console_capture.hpp"
#include "textio/console_line.hpp"
#include "textio/run_state.hpp"

namespace {

using Requests = std::vector<std::string>;

class ConsoleOutput : public ::testing::Test {
protected:
    void SetUp() override { reset(textio::ConsoleMode::split); }
    void TearDown() override { reset(textio::ConsoleMode::split); }

    static void reset(textio::ConsoleMode mode) {
        textio::run_state().mode = mode;
        textio::run_state().line = textio::ConsoleLine{};
    }

    static void open_line() { textio::run_state().line.open = true; }

    static void write_characters(std::initializer_list<std::string_view> items) {
        textio::ListWrite w;
        for (std::string_view item : items) w.character(item);
        w.end();
    }

    static void write_result(std::string_view label, float first, float second) {
        textio::ListWrite w;
        w.character(label);
        w.real(first);
        w.real(second);
        w.end();
    }

    static void write_prompt() { textio::formatted_write("(/,' x,sigma(x) : ',$)"); }

    static void write_heading() { write_characters({"effect's limits are equal:"}); }
};

const std::string credit_line = std::string(26, ' ') + "Norvex v1.0.0";

TEST_F(ConsoleOutput, WritesTheBannerOneRequestPerRecord) {
    ConsoleCapture capture;
    write_characters({"  "});
    write_characters({"    Estimation of lower and upper limits on effect", " in accordance"});
    write_characters({"       with the Feldman-Cousins procedure", " (PRD 57(1998)3873)"});
    write_characters({"                    for the mean of a Gaussian"});
    write_characters({credit_line});
    write_characters({"  "});
    write_characters({"x        - measured mean of a Gaussian"});
    write_characters({"sigma(x) - its sigma"});
    const Requests expected = {
        "  ",
        "\r\n    Estimation of lower and upper limits on effect in accordance",
        "\r\n       with the Feldman-Cousins procedure (PRD 57(1998)3873)",
        "\r\n                    for the mean of a Gaussian",
        "\r\n" + credit_line,
        "\r\n  ",
        "\r\nx        - measured mean of a Gaussian",
        "\r\nsigma(x) - its sigma",
    };
    EXPECT_EQ(capture.requests(), expected);
    EXPECT_TRUE(textio::run_state().line.open);
    EXPECT_FALSE(textio::run_state().line.dollar_hold);
}

// A write statement names itself for a stop report while it runs, and
// no longer once it is done.
TEST_F(ConsoleOutput, NamesTheWriteStatementForStopReports) {
    ConsoleCapture capture;
    textio::run_state().statement = {};
    textio::ListWrite w;
    EXPECT_EQ(textio::run_state().statement.word, textio::StatementWord::write);
    EXPECT_STREQ(textio::run_state().statement.unit, "CON");
    w.end();
    EXPECT_EQ(textio::run_state().statement.word, textio::StatementWord::none);
    write_prompt();
    EXPECT_EQ(textio::run_state().statement.word, textio::StatementWord::none);
}

// The prompt's records fail as a write on the console.
TEST_F(ConsoleOutput, PromptOnAFullDeviceStopsAsAConsoleWrite) {
    EXPECT_EXIT(
        {
            const int full = open("/dev/full", O_WRONLY);
            dup2(full, STDOUT_FILENO);
            write_prompt();
        },
        ::testing::ExitedWithCode(1), "run-time error F6422: WRITE\\(CON\\)");
}

struct ResultCase {
    const char* label;
    float first, second;
    const char* text;
};

// Values right-justified in 15 columns, then 16.
TEST_F(ConsoleOutput, LaysOutResultRecords) {
    const ResultCase cases[] = {
        {"with 68.27% ", 0.0f, 1.645f, "with 68.27%    0.000000E+00        1.645000"},
        {"with 90.00% ", 0.05f, 1.0E-3f, "with 90.00%    5.000000E-02    1.000000E-03"},
        {"with 95.00% ", 12345678.0f, -2.5f, "with 95.00%    1.234568E+07       -2.500000"},
        {"with 99.00% ", 0.6745f, 123.456f, "with 99.00%    6.745000E-01      123.456000"},
        {"with 68.27% ", -0.0f, -0.0f, "with 68.27%    0.000000E+00    0.000000E+00"},
        {"with 90.00% ", -1234567.0f, -1234567.0f, "with 90.00% -1234567.000000 -1234567.000000"},
        {"with 95.00% ", 9999999.0f, 1.0f, "with 95.00%  9999999.000000        1.000000"},
    };
    for (const ResultCase& c : cases) {
        open_line();
        ConsoleCapture capture;
        write_result(c.label, c.first, c.second);
        EXPECT_EQ(capture.requests(), Requests{std::string("\r\n") + c.text}) << c.text;
    }
}

// A record of REALs alone: its leading blank, then the fields.
TEST_F(ConsoleOutput, StartsARecordOfRealsWithItsLeadingBlank) {
    ConsoleCapture capture;
    textio::ListWrite w;
    w.real(1.0f);
    w.real(2.0f);
    w.real(3.0f);
    w.character("|");
    w.real(4.0f);
    w.end();
    EXPECT_EQ(capture.bytes(), "       1.000000        2.000000        3.000000|       4.000000");
}

TEST_F(ConsoleOutput, PromptsOnAFreshLineAndHoldsIt) {
    open_line();
    {
        ConsoleCapture capture;
        write_prompt();
        EXPECT_EQ(capture.requests(), (Requests{"\r\n", "\r\nx,sigma(x) : "}));
    }
    EXPECT_TRUE(textio::run_state().line.open);
    EXPECT_TRUE(textio::run_state().line.dollar_hold);

    reset(textio::ConsoleMode::split);
    ConsoleCapture capture;
    write_prompt();
    EXPECT_EQ(capture.requests(), Requests{"\r\nx,sigma(x) : "});
    EXPECT_TRUE(textio::run_state().line.dollar_hold);
}

// Without a read that touches the output line, the next record continues
// the prompt's line whole, its leading blank included.
TEST_F(ConsoleOutput, ContinuesTheHeldLineInTheSplitConsole) {
    open_line();
    ConsoleCapture capture;
    write_prompt();
    write_heading();
    write_result("with 68.27% ", 0.0f, 1.645f);
    write_prompt();
    EXPECT_EQ(capture.bytes(),
              "\r\n\r\nx,sigma(x) : "
              " effect's limits are equal:"
              "\r\nwith 68.27%    0.000000E+00        1.645000"
              "\r\n\r\nx,sigma(x) : ");
}

// The typed line end has ended the line: the heading starts the next one
// with no line break and without its leading blank.
TEST_F(ConsoleOutput, StartsTheHeadingAfterATypedLineInTheSharedConsole) {
    reset(textio::ConsoleMode::shared);
    open_line();
    ConsoleCapture capture;
    write_prompt();
    textio::console_read_start();
    textio::console_read_finish();
    write_heading();
    write_result("with 68.27% ", 0.0f, 1.645f);
    EXPECT_EQ(capture.requests(), (Requests{"\r\n", "\r\nx,sigma(x) : ",
                                            "effect's limits are equal:",
                                            "\r\nwith 68.27%    0.000000E+00        1.645000"}));
}

void write_record_with(char control) {
    switch (control) {
    case ' ': textio::formatted_write("(' text')"); break;
    case '0': textio::formatted_write("('0text')"); break;
    case '1': textio::formatted_write("('1text')"); break;
    case '+': textio::formatted_write("('+text')"); break;
    default: textio::formatted_write("('xtext')"); break;
    }
}

TEST_F(ConsoleOutput, WritesTheLineBreakThatTheFirstCharacterChooses) {
    const struct {
        char control;
        bool line_open;
        const char* expected;
    } cases[] = {
        {' ', true, "\r\ntext"},
        {' ', false, "text"},
        {'x', true, "\r\ntext"},
        {'x', false, "text"},
        {'0', true, "\r\n\r\ntext"},
        {'0', false, "\r\ntext"},
        {'1', true, "\r\n\f\r \rtext"},
        {'1', false, "\r\n\f\r \rtext"},
        {'+', true, "\rtext"},
        {'+', false, "\rtext"},
    };
    for (const auto& c : cases) {
        reset(textio::ConsoleMode::split);
        textio::run_state().line.open = c.line_open;
        ConsoleCapture capture;
        write_record_with(c.control);
        EXPECT_EQ(capture.requests(), Requests{c.expected})
            << "'" << c.control << "', line " << (c.line_open ? "open" : "clear");
        EXPECT_TRUE(textio::run_state().line.open);
    }
}

// After a dollar sign the first character is text, not carriage control.
TEST_F(ConsoleOutput, WritesARecordAfterTheHoldWhole) {
    open_line();
    ConsoleCapture capture;
    textio::formatted_write("('1held',$)");
    textio::formatted_write("('0next')");
    textio::formatted_write("('0last')");
    EXPECT_EQ(capture.requests(), (Requests{"\r\n\f\r \rheld", "0next", "\r\n\r\nlast"}));
    EXPECT_FALSE(textio::run_state().line.dollar_hold);
}

TEST_F(ConsoleOutput, WritesFormatLiteralsAsTheyStand) {
    const struct {
        textio::WriteFormat format;
        const char* expected;
    } cases[] = {
        {"(' it''s ''quoted''  ')", "\r\nit's 'quoted'  "},
        {"(' ''')", "\r\n'"},
        {"('''')", "\r\n"},   // the apostrophe is the record's control character
        {"(' a',' b')", "\r\na b"},
        {"(/)", "\r\n\r\n"},
        {"(//' x')", "\r\n\r\n\r\nx"},
        {"()", "\r\n"},
        {"( ' x' , $ ) ", "\r\nx"},
    };
    for (const auto& c : cases) {
        reset(textio::ConsoleMode::split);
        open_line();
        ConsoleCapture capture;
        textio::formatted_write(c.format);
        EXPECT_EQ(capture.bytes(), c.expected) << c.format.text();
    }
}

// Room for 79 columns after the leading blank; a constant that reaches the
// edge is cut there and goes on in a record of its own.
TEST_F(ConsoleOutput, ContinuesALongConstantInANewRecord) {
    const std::string letters = [] {
        std::string s;
        for (int i = 0; i < 200; ++i) s += static_cast<char>('a' + i % 26);
        return s;
    }();
    const struct {
        std::size_t length;
        Requests expected;
    } cases[] = {
        {78, {"\r\n" + letters.substr(0, 78)}},
        {79, {"\r\n" + letters.substr(0, 79), "\r\n"}},
        {80, {"\r\n" + letters.substr(0, 79), "\r\n" + letters.substr(79, 1)}},
        {158, {"\r\n" + letters.substr(0, 79), "\r\n" + letters.substr(79, 79), "\r\n"}},
        {200, {"\r\n" + letters.substr(0, 79), "\r\n" + letters.substr(79, 79),
               "\r\n" + letters.substr(158, 42)}},
    };
    for (const auto& c : cases) {
        open_line();
        ConsoleCapture capture;
        write_characters({std::string_view(letters).substr(0, c.length)});
        EXPECT_EQ(capture.requests(), c.expected) << c.length << " characters";
    }
}

TEST_F(ConsoleOutput, ContinuesAcrossItemsWithTheRoomLeft) {
    open_line();
    ConsoleCapture capture;
    write_characters({std::string(50, 'a'), std::string(40, 'b')});
    EXPECT_EQ(capture.requests(),
              (Requests{"\r\n" + std::string(50, 'a') + std::string(29, 'b'),
                        "\r\n" + std::string(11, 'b')}));
}

// A field that does not fit before the edge moves whole to a new record,
// its justifying blanks with it; one that fits stays.
TEST_F(ConsoleOutput, MovesARealFieldThatDoesNotFit) {
    const struct {
        std::size_t before;   // characters before the REAL
        Requests expected;
    } cases[] = {
        {63, {"\r\n" + std::string(63, 'a') + "       1.000000"}},
        {64, {"\r\n" + std::string(64, 'a'), "\r\n      1.000000"}},
        {78, {"\r\n" + std::string(78, 'a'), "\r\n      1.000000"}},
    };
    for (const auto& c : cases) {
        open_line();
        ConsoleCapture capture;
        textio::ListWrite w;
        w.character(std::string(c.before, 'a'));
        w.real(1.0f);
        w.end();
        EXPECT_EQ(capture.requests(), c.expected) << c.before << " characters before";
    }
}

TEST_F(ConsoleOutput, KeepsTheWiderFieldForARealMovedAfterAnother) {
    open_line();
    ConsoleCapture capture;
    textio::ListWrite w;
    w.character(std::string(50, 'a'));
    w.real(1.0f);    // 15 columns: 14 left
    w.real(-2.5f);   // 16 columns do not fit
    w.real(3.0f);    // 16 columns
    w.end();
    EXPECT_EQ(capture.requests(),
              (Requests{"\r\n" + std::string(50, 'a') + "       1.000000",
                        "\r\n      -2.500000        3.000000"}));
}

// The format "(' qq...q')": a record of a blank and `count` letters.
template <std::size_t count>
struct LongRecordFormat {
    char text[count + 6] = {};

    constexpr LongRecordFormat() {
        std::size_t i = 0;
        for (char c : {'(', '\'', ' '}) text[i++] = c;
        for (std::size_t k = 0; k < count; ++k) text[i++] = 'q';
        text[i++] = '\'';
        text[i++] = ')';
    }
};

constexpr LongRecordFormat<300> three_hundred;
constexpr LongRecordFormat<131> one_piece;
constexpr LongRecordFormat<132> one_past;

// Past 132 characters a record leaves in pieces while it grows; the bytes
// are those of the whole record, the line break in front of the first.
TEST_F(ConsoleOutput, HandsOverALongRecordInPieces) {
    const std::string q(300, 'q');
    const struct {
        textio::WriteFormat format;
        Requests expected;
    } cases[] = {
        {three_hundred.text, {"\r\n" + q.substr(0, 131), q.substr(0, 132), q.substr(0, 37)}},
        {one_piece.text, {"\r\n" + q.substr(0, 131)}},
        {one_past.text, {"\r\n" + q.substr(0, 131), "q"}},
    };
    for (const auto& c : cases) {
        open_line();
        ConsoleCapture capture;
        textio::formatted_write(c.format);
        EXPECT_EQ(capture.requests(), c.expected) << c.format.text().size();
        EXPECT_TRUE(textio::run_state().line.open);
    }
}

}  // namespace
