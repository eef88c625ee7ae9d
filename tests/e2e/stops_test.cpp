// Every run-time stop that can be provoked here: its report on standard
// error, what standard output ends with, and exit status 1.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <functional>

#include "dialogue_text.hpp"
#include "norvex_process.hpp"
#include "table_fixture.hpp"

namespace {

using e2e::Feed;
using e2e::Outcome;
using e2e::WorkDir;

using e2e::banner;
using e2e::crlf;
using e2e::ends_with;
const std::string& prompt_line = e2e::prompt_text;

// The report: CR LF, its first line, CR LF, "- " and a message, CR LF.
void expect_report(const Outcome& o, const std::string& first_line, const std::string& context) {
    EXPECT_EQ(o.status, 1) << context;
    ASSERT_EQ(o.err.rfind(crlf + first_line + crlf + "- ", 0), 0u) << context << ": [" << o.err << "]";
    const std::string message = o.err.substr(first_line.size() + 6);
    EXPECT_TRUE(ends_with(message, crlf)) << context;
    EXPECT_GT(message.size(), 2u) << context;
    EXPECT_EQ(message.find('\n'), message.size() - 1) << context << ": one message line";
}

struct StopCase {
    const char* input;
    const char* report;
};

TEST(Stops, ConsoleReadFailures) {
    const StopCase cases[] = {
        {"", "run-time error F6501: READ(CON)"},
        {"1.5x 1\n", "run-time error F6103: READ(CON)"},
        {"1E400 1\n", "run-time error F6102: READ(CON)"},
        {"1E39 1\n", "run-time error F6104: READ(CON)"},
        {"'1.5' 1\n", "run-time error F6504: READ(CON)"},
        {"(1.5,2)\n", "run-time error F6504: READ(CON)"},
        {"0*1\n", "run-time error F6502: READ(CON)"},
        {"2*3*4\n", "run-time error F6503: READ(CON)"},
        {"1x*4\n", "run-time error F6101: READ(CON)"},
        {"-2*4\n", "run-time error F6101: READ(CON)"},
        {"99999999999*4\n", "run-time error F6100: READ(CON)"},
        {"16#1#2*4\n", "run-time error F6302: READ(CON)"},
        {"37#1*4\n", "run-time error F6303: READ(CON)"},
        {"1.5\n", "run-time error F6501: READ(CON)"},
    };
    for (const StopCase& c : cases) {
        WorkDir dir;
        dir.install_shipped_table();
        const Outcome o = e2e::run(dir, c.input);
        expect_report(o, c.report, c.input);
        // Split console: the prompt's line is open whatever the read did.
        EXPECT_TRUE(ends_with(o.out, prompt_line + crlf)) << c.input;
        EXPECT_EQ(o.out.find("effect's"), std::string::npos) << c.input;
    }
}

TEST(Stops, FloatingPointFaults) {
    struct Case {
        const char* input;
        const char* report;
        const char* message;
        bool heading;   // the heading record made it out before the fault
    } cases[] = {
        {"3 0\n", "run-time error M6103: MATH", "- floating-point error: divide by zero", false},
        {"0 0\n", "run-time error M6101: MATH", "- floating-point error: invalid", false},
        {"1E30 1E-30\n", "run-time error M6104: MATH", "- floating-point error: overflow", false},
        {"0 3E38\n", "run-time error M6104: MATH", "- floating-point error: overflow", false},
        // Only the 99 % upper end (about 2.58 sigma) exceeds the largest REAL.
        {"0 1.5E38\n", "run-time error M6104: MATH", "- floating-point error: overflow", true},
        // sigma(x) left without a value at the first query is zero.
        {"3 /\n", "run-time error M6103: MATH", "- floating-point error: divide by zero", false},
    };
    for (const Case& c : cases) {
        WorkDir dir;
        dir.install_shipped_table();
        const Outcome o = e2e::run(dir, c.input);
        EXPECT_EQ(o.err, crlf + c.report + crlf + c.message + crlf) << c.input;
        EXPECT_EQ(o.status, 1) << c.input;
        const std::string tail = prompt_line + (c.heading ? " effect's limits are equal:" : "") + crlf;
        EXPECT_TRUE(ends_with(o.out, tail)) << c.input << ": " << o.out.substr(o.out.size() - 40);
        EXPECT_EQ(o.out.find(crlf + "with "), std::string::npos) << c.input;
    }
}

TEST(Stops, UnderflowingRatioIsAnswered) {
    WorkDir dir;
    dir.install_shipped_table();
    const Outcome o = e2e::run(dir, "1E-30 1E30\n1E-50 1\n");
    EXPECT_EQ(e2e::result_values(o.out).size(), 16u);
    expect_report(o, "run-time error F6501: READ(CON)", "underflow");
}

// The permission cases need a user whom permission bits bind: as root the
// child drops to nobody before it runs the program.
void run_as_nobody() {
    if (geteuid() != 0) return;
    if (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0) _exit(125);
}

// What the table file is, and the stop it gives before any prompt: the
// banner, then the end of its line, and nothing more on standard output.
TEST(Stops, TableFailures) {
    const std::string good = e2e::table_text(e2e::simple_rows());
    std::string bad_value = good;
    bad_value.replace(bad_value.rfind(' '), 1, " 1.0x");
    struct Case {
        const char* what;
        std::function<void(const WorkDir&)> make;
        const char* report;
    } cases[] = {
        {"missing", [](const WorkDir&) {}, "run-time error F6416: OPEN(fc_tab10.dat)"},
        {"a directory", [](const WorkDir& d) { mkdir(d.file("fc_tab10.dat").c_str(), 0755); },
         "run-time error F6414: OPEN(fc_tab10.dat)"},
        {"a loop of links", [](const WorkDir& d) { symlink("fc_tab10.dat", d.file("fc_tab10.dat").c_str()); },
         "run-time error F6412: OPEN(fc_tab10.dat)"},
        {"six records", [](const WorkDir& d) { d.write("fc_tab10.dat", "a\nb\nc\nd\ne\nf\n"); },
         "run-time error F6501: READ(fc_tab10.dat)"},
        {"61 groups",
         [&](const WorkDir& d) { d.write("fc_tab10.dat", good.substr(0, good.rfind('\n', good.size() - 2) + 1)); },
         "run-time error F6501: READ(fc_tab10.dat)"},
        {"a bad value", [&](const WorkDir& d) { d.write("fc_tab10.dat", bad_value); },
         "run-time error F6103: READ(fc_tab10.dat)"},
    };
    for (const Case& c : cases) {
        WorkDir dir;
        c.make(dir);
        const Outcome o = e2e::run(dir, "1 1\n");
        expect_report(o, c.report, c.what);
        EXPECT_EQ(o.out, banner + crlf) << c.what;
    }
}

TEST(Stops, TooManyOpenFiles) {
    WorkDir dir;
    dir.install_shipped_table();
    e2e::RunOptions options;
    options.no_more_files_after_start = true;
    const Outcome o = e2e::run(dir, "1 1\n", options);
    expect_report(o, "run-time error F6417: OPEN(fc_tab10.dat)", "too many open files");
    EXPECT_TRUE(ends_with(o.out, banner + crlf));
}

TEST(Stops, TablePermissions) {
    WorkDir dir;
    chmod(dir.path().c_str(), 0755);
    dir.install_shipped_table();
    const std::string table = dir.file("fc_tab10.dat");
    e2e::RunOptions as_nobody;
    as_nobody.in_child = run_as_nobody;
    as_nobody.program = dir.install_program();

    chmod(table.c_str(), 0000);
    const Outcome denied = e2e::run(dir, "1 1\n", as_nobody);
    expect_report(denied, "run-time error F6414: OPEN(fc_tab10.dat)", "no permissions");

    // Writable but not readable: connected write-only, the first read fails.
    if (geteuid() == 0 && chown(table.c_str(), 65534, 65534) != 0) GTEST_SKIP() << "cannot chown";
    chmod(table.c_str(), 0200);
    const Outcome write_only = e2e::run(dir, "1 1\n", as_nobody);
    expect_report(write_only, "run-time error F6500: READ(fc_tab10.dat)", "write-only");
    EXPECT_TRUE(ends_with(write_only.out, banner + crlf));
}

// Standard output on a full device, and on a file sealed against writing
// (every write refused with EPERM).
TEST(Stops, ConsoleWriteFailures) {
    e2e::RunOptions full, sealed;
    full.stdout_path = "/dev/full";
    sealed.in_child = [] {
        const int fd = memfd_create("sealed-output", MFD_ALLOW_SEALING);
        if (fd < 0 || fcntl(fd, F_ADD_SEALS, F_SEAL_WRITE) != 0) _exit(125);
        dup2(fd, STDOUT_FILENO);
    };
    const std::pair<const e2e::RunOptions*, const char*> cases[] = {
        {&full, "run-time error F6422: WRITE(CON)"},
        {&sealed, "run-time error F6421: WRITE(CON)"},
    };
    for (const auto& [options, report] : cases) {
        WorkDir dir;
        dir.install_shipped_table();
        expect_report(e2e::run(dir, "1 1\n", *options), report, report);
    }
}

// A write failure other than a full device or a refusal loses the text and
// nothing else: a reader that has gone (EPIPE), a terminal that has hung
// up (EIO). The program reads on to the end of its input.
TEST(Stops, OtherWriteFailuresReadOnToTheEnd) {
    std::string input;
    for (int i = 0; i < 200; ++i) input += "1.2 0.5\n";
    input += "1.5x 1\n";   // reached only if every query before it was served
    for (Feed output : {Feed::closed_pipe, Feed::hung_up_terminal}) {
        WorkDir dir;
        dir.install_shipped_table();
        e2e::RunOptions options;
        options.output = output;
        const Outcome o = e2e::run(dir, input, options);
        EXPECT_EQ(o.signal, 0) << int(output);
        expect_report(o, "run-time error F6103: READ(CON)", "lost output");
    }
}

// Standard input that cannot be read (open for writing only).
TEST(Stops, UnreadableStandardInput) {
    WorkDir dir;
    dir.install_shipped_table();
    e2e::RunOptions options;
    options.in_child = [] {
        const int fd = open("/dev/null", O_WRONLY);
        if (fd < 0 || dup2(fd, STDIN_FILENO) < 0) _exit(125);
    };
    const Outcome o = e2e::run(dir, "", options);
    expect_report(o, "run-time error F6500: READ(CON)", "write-only standard input");
    EXPECT_TRUE(ends_with(o.out, prompt_line + crlf));
}

// A report that cannot be written changes nothing else of the stop.
TEST(Stops, UnwritableReportIsIgnored) {
    const std::function<void()> broken_stderr[] = {
        [] {
            const int fd = open("/dev/full", O_WRONLY);
            if (fd < 0 || dup2(fd, STDERR_FILENO) < 0) _exit(125);
        },
        [] { close(STDERR_FILENO); },
    };
    for (const auto& breaking : broken_stderr) {
        WorkDir dir;   // no table: the stop comes right after the banner
        e2e::RunOptions options;
        options.in_child = breaking;
        const Outcome o = e2e::run(dir, "1 1\n", options);
        EXPECT_EQ(o.status, 1);
        EXPECT_EQ(o.err, "");
        EXPECT_EQ(o.out, banner + crlf);
    }
}

TEST(Stops, InterruptAtThePromptEndsAtOnce) {
    WorkDir dir;
    dir.install_shipped_table();
    e2e::TerminalSession session(dir, /*signals=*/true);
    ASSERT_TRUE(session.wait_for("\r\n\r\n" + prompt_line));
    session.interrupt();
    const Outcome o = session.finish();
    EXPECT_EQ(o.signal, SIGINT);
    EXPECT_EQ(o.err, "");
    EXPECT_TRUE(ends_with(o.out, crlf + crlf + prompt_line));
}

TEST(Stops, SharedConsoleEndOfInputAfterReport) {
    WorkDir dir;
    dir.install_shipped_table();
    e2e::TerminalSession session(dir);
    ASSERT_TRUE(session.wait_for(prompt_line));
    session.type("3 0\n");
    const Outcome o = session.finish();
    EXPECT_EQ(o.err, crlf + "run-time error M6103: MATH" + crlf + "- floating-point error: divide by zero" + crlf);
    // The typed line ended the output line: nothing follows the prompt.
    EXPECT_TRUE(ends_with(o.out, crlf + crlf + prompt_line));
}

}  // namespace
