// The pieces that turn a strace log into counts and into the floor's
// trace: a misread line or a descriptor mistaken for the table would make
// the floor replay something other than norvex.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>
#include <system_error>

#include "bench/call_counts.hpp"
#include "bench/strace_log.hpp"
#include "bench/syscall_trace.hpp"

namespace {

class TempFile {
public:
    explicit TempFile(const std::string& text) {
        char name[] = "/tmp/trace_tools_test_XXXXXX";
        const int fd = mkstemp(name);
        if (fd < 0) throw std::system_error(errno, std::generic_category(), "mkstemp");
        close(fd);
        path_ = name;
        std::ofstream out(path_, std::ios::binary);
        if (!(out << text).flush()) throw std::runtime_error("cannot write " + path_);
    }
    ~TempFile() { std::remove(path_.c_str()); }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

bench::StraceLog parse(const std::string& text) {
    TempFile f(text);
    bench::StraceLog log;
    EXPECT_TRUE(bench::read_strace_log(f.path(), log));
    return log;
}

struct LineCase {
    const char* line;
    const char* name;
    std::size_t arg_count;
    const char* arg1;  // the second argument as written
    long result;
};

TEST(StraceLog, ReadsEachFormOfCallLine) {
    const LineCase cases[] = {
        {"read(0, \"\"..., 132)               = 132", "read", 3, "\"\"...", 132},
        {"write(1, \"\"..., 45)                 = 45", "write", 3, "\"\"...", 45},
        {"read(0, \"\", 132)                        = 0", "read", 3, "\"\"", 0},
        {"openat(AT_FDCWD, \"fc_tab10.dat\", O_RDWR|O_NOCTTY|O_CLOEXEC) = 3", "openat", 3,
         "\"fc_tab10.dat\"", 3},
        {"openat(AT_FDCWD, \"/usr/lib/locale/C.UTF-8/LC_CTYPE\", O_RDONLY|O_CLOEXEC) = -1 ENOENT "
         "(No such file or directory)",
         "openat", 3, "\"/usr/lib/locale/C.UTF-8/LC_CTYPE\"", -1},
        {"openat(AT_FDCWD, \"odd, name (1).dat\", O_RDONLY) = 4", "openat", 3, "\"odd, name (1).dat\"", 4},
        {"newfstatat(3, \"\", {st_mode=S_IFREG|0644, st_size=9403, ...}, AT_EMPTY_PATH) = 0",
         "newfstatat", 4, "\"\"", 0},
    };
    for (const LineCase& c : cases) {
        const bench::StraceLog log = parse(std::string(c.line) + "\n");
        ASSERT_EQ(log.calls.size(), 1u) << c.line;
        const bench::TracedCall& call = log.calls[0];
        EXPECT_EQ(call.name, c.name) << c.line;
        ASSERT_EQ(call.args.size(), c.arg_count) << c.line;
        EXPECT_EQ(call.args[1], c.arg1) << c.line;
        EXPECT_EQ(call.result, c.result) << c.line;
    }
}

TEST(StraceLog, SkipsSignalAndExitLinesAndReadsTheSummary) {
    const bench::StraceLog log = parse(
        "write(1, \"\"..., 2) = 2\n"
        "--- SIGPIPE {si_signo=SIGPIPE, si_code=SI_USER, si_pid=1} ---\n"
        "+++ exited with 1 +++\n"
        "% time     seconds  usecs/call     calls    errors syscall\n"
        "------ ----------- ----------- --------- --------- ----------------\n"
        " 61.19    0.000260           0     14012           write\n"
        " 20.00    0.000085          21         4         2 openat\n"
        "------ ----------- ----------- --------- --------- ----------------\n"
        "100.00    0.000425           0     14016         2 total\n");
    EXPECT_EQ(log.calls.size(), 1u);
    EXPECT_EQ(log.summary.at("write"), 14012);
    EXPECT_EQ(log.summary.at("openat"), 4);
    EXPECT_EQ(log.summary.count("total"), 0u);
}

// Descriptor 3 is first a library the loader reads and later the table:
// only the second use counts as the table.
const char* const run_log =
    "openat(AT_FDCWD, \"/lib/x86_64-linux-gnu/libc.so.6\", O_RDONLY|O_CLOEXEC) = 3\n"
    "read(3, \"\"..., 832) = 832\n"
    "close(3) = 0\n"
    "write(1, \"\"..., 2) = 2\n"
    "openat(AT_FDCWD, \"fc_tab10.dat\", O_RDWR|O_NOCTTY|O_CLOEXEC) = 3\n"
    "newfstatat(3, \"\", {st_mode=S_IFREG|0644, st_size=1500, ...}, AT_EMPTY_PATH) = 0\n"
    "read(3, \"\"..., 1024) = 1024\n"
    "read(3, \"\"..., 1024) = 476\n"
    "write(1, \"\"..., 15) = 15\n"
    "read(0, \"\"..., 132) = 20\n"
    "read(0, \"\", 132) = 0\n"
    "write(2, \"\"..., 50) = 50\n"
    "write(1, \"\"..., 2) = 2\n"
    "close(3) = 0\n"
    "exit_group(1) = ?\n";

TEST(CallCounts, SortsRequestsByTheirFileAndTracesTheProgramsOwn) {
    bench::Trace trace;
    const bench::CallCounts c = bench::count_calls(parse(run_log), trace);
    EXPECT_EQ(c.other_reads, 1);
    EXPECT_EQ(c.table_reads, 2);
    EXPECT_EQ(c.console_reads, 2);
    EXPECT_EQ(c.console_writes, 3);
    EXPECT_EQ(c.error_writes, 1);
    EXPECT_EQ(c.stray, 0);
    EXPECT_EQ(c.after_banner.at("newfstatat"), 1);
    EXPECT_EQ(c.after_banner.at("close"), 1);

    using bench::Stream;
    const bench::Request want[] = {{Stream::console_out, 2},  {Stream::table_in, 1024},
                                   {Stream::table_in, 1024},  {Stream::console_out, 15},
                                   {Stream::console_in, 132}, {Stream::console_in, 132},
                                   {Stream::error_out, 50},   {Stream::console_out, 2}};
    ASSERT_EQ(trace.size(), std::size(want));
    for (std::size_t i = 0; i < trace.size(); ++i) {
        EXPECT_EQ(bench::decode(trace[i]).stream, want[i].stream) << i;
        EXPECT_EQ(bench::decode(trace[i]).size, want[i].size) << i;
    }
}

TEST(CallCounts, MarksRequestsTheFloorCannotReplay) {
    bench::Trace trace;
    const bench::CallCounts c = bench::count_calls(
        parse("read(0, \"\"..., 132) = 5\n"                          // before the banner
              "write(1, \"\"..., 2) = 2\n"
              "openat(AT_FDCWD, \"other.dat\", O_RDONLY) = 4\n"
              "read(4, \"\"..., 64) = 64\n"                           // not the table
              "write(1, \"\"..., 20000) = 20000\n"),                  // too long to encode
        trace);
    EXPECT_EQ(c.stray, 3);
    EXPECT_EQ(trace.size(), 1u);
}

TEST(SyscallTrace, SavedTraceMapsUnchanged) {
    const bench::Trace saved = {bench::encode({bench::Stream::console_out, 45}),
                                bench::encode({bench::Stream::table_in, 1024}),
                                bench::encode({bench::Stream::error_out, bench::largest_request})};
    TempFile f("");
    ASSERT_TRUE(bench::save_trace(f.path().c_str(), saved));
    bench::TraceView view;
    ASSERT_TRUE(bench::map_trace(f.path().c_str(), view));
    EXPECT_EQ(bench::Trace(view.codes, view.codes + view.size), saved);
}

TEST(SyscallTrace, RefusesAFileThatIsNotATrace) {
    for (const char* text : {"", "NVXTRC1\n\x01", "not a trace file"}) {
        TempFile f(text);
        bench::TraceView view;
        EXPECT_FALSE(bench::map_trace(f.path().c_str(), view)) << text;
    }
}

}  // namespace
