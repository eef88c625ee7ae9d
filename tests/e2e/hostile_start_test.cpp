// What the program meets from whoever starts it: standard streams closed,
// a file-size limit, lines of any length, a named pipe as the table, a
// floating-point signal sent by another process.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "dialogue_text.hpp"
#include "norvex_process.hpp"
#include "table_fixture.hpp"

namespace {

using e2e::crlf;
using e2e::ends_with;
using e2e::Outcome;
using e2e::WorkDir;

std::string file_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string report(const std::string& first_line, const std::string& message) {
    return crlf + "run-time error " + first_line + crlf + "- " + message + crlf;
}

// A closed standard stream is a stream that cannot be read or written,
// never the table file, which would otherwise take its descriptor: the
// table is longer than 62 groups, and what follows them would be read as
// queries from a table on standard input (beyond the table's first read
// blocks, so that only a read of standard input reaches it).
TEST(HostileStart, ClosedStandardStreamsLeaveTheTableAlone) {
    const std::string table = e2e::shipped_table_text() + std::string(3000, '\n') + "3 1\n";
    struct Case {
        const char* what;
        std::function<void()> closing;
        std::string input;
        int status;
        std::string err;   // as the harness sees standard error
        std::string out_tail;
    } cases[] = {
        // Nothing can be read: the console input is at its end at once.
        {"standard input", [] { close(STDIN_FILENO); }, "", 1, e2e::end_of_input_report, e2e::prompt + crlf},
        // Writing fails in a way that loses the text: the run goes on.
        {"standard output", [] { close(STDOUT_FILENO); }, "1.2 0.5\n", 1, e2e::end_of_input_report, ""},
        // The report cannot be written; the exit status still tells.
        {"standard error", [] { close(STDERR_FILENO); }, "1 0\n", 1, "", e2e::prompt + crlf},
        {"all three",
         [] {
             close(STDIN_FILENO);
             close(STDOUT_FILENO);
             close(STDERR_FILENO);
         },
         "", 1, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WorkDir dir;
        dir.write("fc_tab10.dat", table);
        e2e::RunOptions options;
        options.in_child = c.closing;
        const Outcome o = e2e::run(dir, c.input, options);
        EXPECT_EQ(file_bytes(dir.file("fc_tab10.dat")), table);
        EXPECT_EQ(o.signal, 0);
        EXPECT_EQ(o.status, c.status);
        EXPECT_EQ(o.err, c.err);
        EXPECT_TRUE(ends_with(o.out, c.out_tail)) << o.out;
        EXPECT_EQ(o.out.find("effect's"), std::string::npos) << "no query answered";
    }
}

// The table may not stay at descriptor 0, and no other is free: too many
// open files.
TEST(HostileStart, ClosedStandardInputAndNoDescriptorToSpare) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer's own start-up loops for ever with descriptor 0 closed "
                    "and no other free, before the program runs";
#endif
    WorkDir dir;
    dir.install_shipped_table();
    e2e::RunOptions options;
    options.in_child = [] {
        close(STDIN_FILENO);
        const rlimit three{3, 3};
        setrlimit(RLIMIT_NOFILE, &three);
    };
    const Outcome o = e2e::run(dir, "", options);
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err, report("F6417: OPEN(fc_tab10.dat)", "too many open files"));
    EXPECT_EQ(o.out, e2e::banner + crlf);
}

// The limit cuts standard output where it falls; the run reads on to the
// end of its input and stops there as usual.
TEST(HostileStart, FileSizeLimitLosesTextNotTheRun) {
    std::string input;
    for (int i = 0; i < 200; ++i) input += "1.2 0.5\n";
    WorkDir dir;
    dir.install_shipped_table();
    e2e::RunOptions unlimited;
    unlimited.output = e2e::Feed::file;
    const Outcome whole = e2e::run(dir, input, unlimited);
    ASSERT_GT(whole.out.size(), 4096u);

    e2e::RunOptions limited = unlimited;
    limited.in_child = [] {
        signal(SIGXFSZ, SIG_DFL);
        const rlimit one_block{1024, 1024};
        setrlimit(RLIMIT_FSIZE, &one_block);
    };
    const Outcome cut = e2e::run(dir, input, limited);
    EXPECT_EQ(cut.signal, 0);
    EXPECT_EQ(cut.status, 1);
    EXPECT_EQ(cut.err, e2e::end_of_input_report);
    EXPECT_EQ(cut.out, whole.out.substr(0, 1024));
}

// Memory does not follow the length of a line: one of 128 MiB, without a
// line end, twice any bound a whole line in memory could keep.
TEST(HostileStart, LongLinesInBoundedMemory) {
    constexpr std::size_t line = std::size_t{128} << 20;
    constexpr long bound_kb = 64 * 1024;
    const struct {
        char fill;
        std::string err;
    } cases[] = {
        {' ', e2e::end_of_input_report},
        {'7', report("F6102: READ(CON)", "number too large to be converted")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(1, c.fill));
        WorkDir dir;
        dir.install_shipped_table();
        e2e::RunOptions options;
        options.measure_peak_rss = true;
        const Outcome o = e2e::run(dir, std::string(line, c.fill), options);
        EXPECT_EQ(o.err, c.err);
        EXPECT_EQ(o.status, 1);
        ASSERT_GT(o.peak_rss_kb, 0) << "peak memory not measured";
        EXPECT_LT(o.peak_rss_kb, bound_kb);
        std::printf("peak RSS with a 128 MiB line of '%c': %ld KiB\n", c.fill, o.peak_rss_kb);
    }
}

// However long a line, it reads as it would whole: the first value is 1
// after a million digits and an exponent, the second 2 after a line of
// blanks longer than any typed line.
TEST(HostileStart, LongLinesReadAsWhole) {
    const std::string zeros(1000000, '0');
    const std::string long_query = "1" + zeros + "E-1000000" + std::string(5000, ' ') + "2\n";
    WorkDir dir;
    dir.install_shipped_table();
    const Outcome long_form = e2e::run(dir, long_query);
    const Outcome short_form = e2e::run(dir, "1 2\n");
    EXPECT_EQ(long_form.err, e2e::end_of_input_report);
    EXPECT_EQ(long_form.out, short_form.out);
    EXPECT_EQ(e2e::result_values(long_form.out).size(), 8u);
}

// A writer that sends a table into a named pipe and closes it ends the
// table there, as the end of a short file does; a whole table is read.
TEST(HostileStart, NamedPipeAsTheTable) {
    const std::string whole = e2e::shipped_table_text();
    const struct {
        const char* what;
        std::string sent;
        bool answered;
    } cases[] = {
        {"six records", "a\nb\nc\nd\ne\nf\n", false},
        {"the whole table", whole, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WorkDir dir;
        const std::string fifo = dir.file("fc_tab10.dat");
        ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
        const pid_t writer = fork();
        ASSERT_GE(writer, 0);
        if (writer == 0) {
            const int fd = open(fifo.c_str(), O_WRONLY);   // waits for the program
            std::size_t done = 0;
            while (fd >= 0 && done < c.sent.size()) {
                const ssize_t n = write(fd, c.sent.data() + done, c.sent.size() - done);
                if (n <= 0) _exit(1);
                done += static_cast<std::size_t>(n);
            }
            _exit(fd >= 0 ? 0 : 1);
        }
        e2e::RunOptions options;
        options.in_child = [] { alarm(20); };   // a hang ends as SIGALRM
        const Outcome o = e2e::run(dir, "1 1\n", options);
        int writer_status = 0;
        waitpid(writer, &writer_status, 0);
        EXPECT_TRUE(WIFEXITED(writer_status) && WEXITSTATUS(writer_status) == 0) << "the writer's bytes went";
        EXPECT_EQ(o.signal, 0);
        EXPECT_EQ(o.status, 1);
        if (c.answered) {
            EXPECT_EQ(o.err, e2e::end_of_input_report);
            EXPECT_EQ(e2e::result_values(o.out).size(), 8u);
        } else {
            EXPECT_EQ(o.err, report("F6501: READ(fc_tab10.dat)", "end of file"));
            EXPECT_EQ(o.out, e2e::banner + crlf);
        }
    }
}

// A SIGFPE blocked by whoever started the program does not turn the
// program's own arithmetic fault into a silent crash.
TEST(HostileStart, ArithmeticFaultWithTheSignalBlockedAtStart) {
    WorkDir dir;
    dir.install_shipped_table();
    e2e::RunOptions options;
    options.in_child = [] {
        sigset_t fpe;
        sigemptyset(&fpe);
        sigaddset(&fpe, SIGFPE);
        sigprocmask(SIG_BLOCK, &fpe, nullptr);
    };
    const Outcome o = e2e::run(dir, "3 0\n", options);
    EXPECT_EQ(o.signal, 0);
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err, report("M6103: MATH", "floating-point error: divide by zero"));
}

// Only the program's own arithmetic faults are stops; a SIGFPE that
// another process sends, while the program waits at the prompt, ends it
// as the signal's default action does, with no report.
TEST(HostileStart, SentFloatingPointSignalIsNoStop) {
    const std::function<void(pid_t)> senders[] = {
        [](pid_t pid) { kill(pid, SIGFPE); },
        [](pid_t pid) { sigqueue(pid, SIGFPE, sigval{}); },
    };
    for (const auto& send : senders) {
        WorkDir dir;
        dir.install_shipped_table();
        e2e::RunOptions options;
        // Standard input stays open, held by a helper that sends the
        // signal once the program waits for its first query.
        options.in_child = [&send] {
            int held[2];
            if (pipe(held) != 0) _exit(125);
            const pid_t program = getpid();
            if (fork() == 0) {
                close(held[0]);
                close(STDOUT_FILENO);   // the harness reads to the end of these
                close(STDERR_FILENO);
                if (e2e::waiting_for_input(program)) send(program);
                sleep(2);
                _exit(0);
            }
            close(held[1]);
            dup2(held[0], STDIN_FILENO);
            close(held[0]);
        };
        const Outcome o = e2e::run(dir, "", options);
        EXPECT_EQ(o.signal, SIGFPE);
        EXPECT_EQ(o.err, "");
        EXPECT_TRUE(ends_with(o.out, e2e::prompt)) << "nothing after the prompt";
    }
}

}  // namespace
