// Typed input on a terminal: one line per read, at most 130 characters a
// line, and a line ending in Ctrl+Z ends the input. Redirected input
// follows the same Ctrl+Z rule line by line.

#include <gtest/gtest.h>

#include "dialogue_text.hpp"
#include "norvex_process.hpp"
#include "table_fixture.hpp"

namespace {

using e2e::Outcome;
using e2e::WorkDir;

using e2e::prompt;

struct TypedCase {
    const char* what;
    std::string line;
    int results;          // result records' values printed for it
    const char* report;   // first line of the report, or "" when it is answered
};

Outcome type_on_terminal(const std::string& line) {
    WorkDir dir;
    dir.write("fc_tab10.dat", e2e::table_text(e2e::simple_rows()));
    e2e::TerminalSession session(dir);
    EXPECT_TRUE(session.wait_for(prompt));
    session.type(line);
    session.wait_for("0" + prompt, 2000);
    session.type("\x04");
    return session.finish();
}

std::string padded(std::size_t length) {
    std::string line = "1.5";
    line.resize(length - 1, ' ');
    return line + "1";
}

TEST(TerminalInput, LineLengthAndCtrlZ) {
    const TypedCase cases[] = {
        {"130 characters", padded(130) + "\n", 8, ""},
        {"131 characters", padded(131) + "\n", 0, "run-time error F6407: READ(CON)"},
        {"300 characters", padded(300) + "\n", 0, "run-time error F6407: READ(CON)"},
        {"Ctrl+Z alone", "\x1a\n", 0, "run-time error F6501: READ(CON)"},
        {"Ctrl+Z after values", "1.5 1\x1a\n", 0, "run-time error F6501: READ(CON)"},
        {"Ctrl+Z then CR LF", "1.5 1\x1a\r\n", 0, "run-time error F6501: READ(CON)"},
        {"Ctrl+Z inside a line", "\x1a" "1.5 1\n", 0, "run-time error F6103: READ(CON)"},
        {"CR LF line end", "1.5 1\r\n", 8, ""},
    };
    for (const TypedCase& c : cases) {
        const Outcome o = type_on_terminal(c.line);
        EXPECT_EQ(e2e::result_values(o.out).size(), static_cast<std::size_t>(c.results)) << c.what;
        const std::string report = *c.report ? c.report : "run-time error F6501: READ(CON)";
        EXPECT_EQ(o.err.find("\r\n" + report + "\r\n"), 0u) << c.what << ": " << o.err;
        EXPECT_EQ(o.status, 1) << c.what;
        // Stopped at the block that was read: the prompt's line is still open
        // and the end of the run ends it.
        if (c.results == 0) {
            EXPECT_TRUE(e2e::ends_with(o.out, e2e::prompt_text + e2e::crlf)) << c.what;
        }
    }
}

TEST(TerminalInput, EachReadTakesOneTypedLine) {
    WorkDir dir;
    dir.write("fc_tab10.dat", e2e::table_text(e2e::simple_rows()));
    e2e::TerminalSession session(dir);
    ASSERT_TRUE(session.wait_for(prompt));
    session.type("1.5 1 99 98\n");    // what follows the two values is dropped with the line
    ASSERT_TRUE(session.wait_for("1.750000" + prompt));
    session.type("-4 1\n");
    ASSERT_TRUE(session.wait_for("-1.000000" + prompt));
    session.type("\x04");
    const Outcome o = session.finish();
    const auto values = e2e::result_values(o.out);
    ASSERT_EQ(values.size(), 16u);
    EXPECT_EQ(values[0], 0.875f);
    EXPECT_EQ(values[8], -2.0f + 0.125f);
}

// With standard input redirected, a line ending in Ctrl+Z ends the input
// wherever the read blocks happen to split it.
TEST(RedirectedInput, CtrlZEndsTheInputLineByLine) {
    for (std::size_t before : {0u, 50u, 127u, 128u, 129u, 130u, 131u, 200u, 400u}) {
        WorkDir dir;
        dir.write("fc_tab10.dat", e2e::table_text(e2e::simple_rows()));
        const std::string filler = "1.5 1" + std::string(before, ' ') + "\n";
        const Outcome o = e2e::run(dir, filler + "1.5 1\x1a\n" + "1.5 1\n");
        EXPECT_EQ(e2e::result_values(o.out).size(), 8u) << before;
        EXPECT_EQ(o.err.find("\r\nrun-time error F6501: READ(CON)\r\n"), 0u) << before;
    }
}

}  // namespace
