// The console dialogue byte for byte, in the split console (pipes, files,
// standard input redirected with a terminal for output) and in the shared
// console (both on a terminal).

#include <gtest/gtest.h>

#include "dialogue_text.hpp"
#include "norvex_process.hpp"
#include "table_fixture.hpp"

namespace {

using e2e::Feed;
using e2e::Outcome;
using e2e::WorkDir;

using e2e::banner;
using e2e::crlf;
using e2e::prompt;

// x = 1.5 is a grid point of the simple table: its ends are
// 0.875, 1.0, 1.125, ..., 1.75.
const std::string block_for_grid_point =
    crlf + "with 68.27%    8.750000E-01        1.000000" +
    crlf + "with 90.00%        1.125000        1.250000" +
    crlf + "with 95.00%        1.375000        1.500000" +
    crlf + "with 99.00%        1.625000        1.750000";

void install_simple_table(const WorkDir& dir) { dir.write("fc_tab10.dat", e2e::table_text(e2e::simple_rows())); }

TEST(ConsoleBytes, SplitConsoleFromPipeAndFile) {
    const std::string want = banner + prompt + " effect's limits are equal:" + block_for_grid_point +
                             prompt + " effect's limits are equal:" + block_for_grid_point + prompt + crlf;
    for (Feed input : {Feed::pipe, Feed::file}) {
        for (Feed output : {Feed::pipe, Feed::file}) {
            WorkDir dir;
            install_simple_table(dir);
            e2e::RunOptions options;
            options.input = input;
            options.output = output;
            const Outcome o = e2e::run(dir, "1.5 1\n1.5,1\n", options);
            EXPECT_EQ(o.out, want) << int(input) << int(output);
            EXPECT_EQ(o.status, 1);
        }
    }
}

TEST(ConsoleBytes, RedirectedInputWithTerminalOutputIsSplitToo) {
    WorkDir dir;
    install_simple_table(dir);
    e2e::RunOptions to_file, to_terminal;
    to_file.output = Feed::file;
    to_terminal.output = Feed::terminal;
    const Outcome file = e2e::run(dir, "1.5 1\n", to_file);
    const Outcome terminal = e2e::run(dir, "1.5 1\n", to_terminal);
    EXPECT_EQ(terminal.out, file.out);
    EXPECT_EQ(terminal.out, banner + prompt + " effect's limits are equal:" + block_for_grid_point + prompt + crlf);
}

// Typed input with standard output redirected: the console is split, so
// the heading continues the prompt's line as in a batch run.
TEST(ConsoleBytes, TerminalInputWithRedirectedOutputIsSplit) {
    WorkDir dir;
    install_simple_table(dir);
    e2e::TerminalSession session(dir, false, dir.file("out.txt"));
    session.type("1.5 1\n");
    session.type("\x04");
    const Outcome o = session.finish();
    EXPECT_EQ(o.out, banner + prompt + " effect's limits are equal:" + block_for_grid_point + prompt + crlf);
    EXPECT_EQ(o.err, e2e::end_of_input_report);
}

TEST(ConsoleBytes, MissingTableLeavesBannerThenLineEnd) {
    WorkDir dir;
    const Outcome o = e2e::run(dir, "");
    EXPECT_EQ(o.out, banner + crlf);
}

TEST(ConsoleBytes, FifteenCharacterValuesFillTheirFields) {
    auto rows = e2e::simple_rows();
    rows[22].v[1] = -1234567.0f;   // the grid point 1.5
    rows[22].v[2] = -1234567.0f;
    rows[22].v[3] = 0.0f;
    rows[22].v[4] = 12345678.0f;
    WorkDir dir;
    dir.write("fc_tab10.dat", e2e::table_text(rows));
    const Outcome o = e2e::run(dir, "1.5 1\n");
    EXPECT_NE(o.out.find(crlf + "with 68.27% -1234567.000000 -1234567.000000" + crlf), std::string::npos) << o.out;
    EXPECT_NE(o.out.find(crlf + "with 90.00%    0.000000E+00    1.234568E+07" + crlf), std::string::npos) << o.out;
}

TEST(ConsoleBytes, NegativeZeroPrintsAsZero) {
    auto rows = e2e::simple_rows();
    rows[22].v[1] = 0.0f;
    WorkDir dir;
    dir.write("fc_tab10.dat", e2e::table_text(rows));
    const Outcome o = e2e::run(dir, "-1.5 -1\n");   // r = 1.5, lower end 0 * -1
    EXPECT_NE(o.out.find(crlf + "with 68.27%    0.000000E+00       -1.000000" + crlf), std::string::npos) << o.out;
}

TEST(ConsoleBytes, SharedConsoleOnATerminal) {
    WorkDir dir;
    install_simple_table(dir);
    e2e::TerminalSession session(dir);
    ASSERT_TRUE(session.wait_for(banner + prompt)) << session.output();
    session.type("1.5 1\n");
    ASSERT_TRUE(session.wait_for(block_for_grid_point + prompt));
    // The typed line end has ended the prompt's line: the heading starts a
    // line of its own, without its leading blank.
    EXPECT_EQ(session.output(), banner + prompt + "effect's limits are equal:" + block_for_grid_point + prompt);
    session.type("1.5\n");   // x alone; sigma(x) on the next typed line
    session.type("1\n");
    ASSERT_TRUE(session.wait_for(block_for_grid_point + prompt));
    session.type("\x04");     // end of input at the prompt: the open line is ended
    const Outcome o = session.finish();
    EXPECT_EQ(o.out, banner + prompt + "effect's limits are equal:" + block_for_grid_point + prompt +
                         "effect's limits are equal:" + block_for_grid_point + prompt + crlf);
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err, e2e::end_of_input_report);
}

TEST(ConsoleBytes, SharedConsoleEndAfterATypedLineLeavesNoLineEnd) {
    WorkDir dir;
    install_simple_table(dir);
    e2e::TerminalSession session(dir);
    ASSERT_TRUE(session.wait_for(prompt));
    session.type("1.5\n");
    session.type("\x04");
    const Outcome o = session.finish();
    EXPECT_EQ(o.out, banner + prompt);
    EXPECT_EQ(o.status, 1);
}

}  // namespace
