// Failures injected into the program's own reads and writes with strace:
// interrupted and would-block requests change no byte of the run; a full
// device, a broken pipe and I/O errors end it, or lose text, as the stops
// say.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "dialogue_text.hpp"
#include "norvex_process.hpp"

namespace {

using e2e::crlf;
using e2e::Outcome;
using e2e::WorkDir;

// Four queries, in more than one console read block.
const std::string queries = "1.2 0.5\n-0.3,1\n4.5\n0.8\n" + std::string(100, ' ') + "1E3 250\n";

// One read or write of the program, as strace showed it.
struct Call {
    bool is_read;
    int fd;
    long result;
};

// The program's calls, from its first write on: those before it are the
// dynamic loader's (and a sanitizer's). loader_reads: how many reads came
// before; loader_injected: an injection hit one of them.
struct Calls {
    int loader_reads = 0;
    bool loader_injected = false;
    std::vector<Call> program;
};

Calls parse_log(const std::string& path) {
    Calls calls;
    std::ifstream in(path);
    std::string line;
    bool begun = false;
    while (std::getline(in, line)) {
        const bool is_read = line.rfind("read(", 0) == 0;
        if (!is_read && line.rfind("write(", 0) != 0) continue;
        const int fd = std::atoi(line.c_str() + (is_read ? 5 : 6));
        const std::size_t equals = line.rfind(" = ");   // the result comes last
        const long result = equals == std::string::npos ? -1 : std::atol(line.c_str() + equals + 3);
        if (!is_read) begun = true;
        if (!begun) {
            ++calls.loader_reads;
            calls.loader_injected |= line.find("(INJECTED)") != std::string::npos;
            continue;
        }
        calls.program.push_back({is_read, fd, result});
    }
    return calls;
}

// Runs norvex under strace with the given injections (none for the run
// everything is compared with).
Outcome traced(const WorkDir& dir, const std::vector<std::string>& injections) {
    e2e::RunOptions options;
    options.launcher = {"strace", "-qq", "-o", "trace.log", "-e", "trace=read,write"};
    for (const std::string& injection : injections) {
        options.launcher.push_back("-e");
        options.launcher.push_back("inject=" + injection);
    }
    const Outcome o = e2e::run(dir, queries, options);
    // The reads are counted from the process's first: they must have
    // come out as in the run without injections.
    EXPECT_FALSE(parse_log(dir.file("trace.log")).loader_injected) << "a read before the program's own";
    return o;
}

// Whether strace runs, and why it cannot trace here (a container that
// forbids ptrace, say), empty when it can.
struct StraceCheck {
    bool installed = true;
    std::string cannot_trace;
};

StraceCheck check_strace() {
    int err[2];
    if (pipe(err) != 0) return {true, "no pipe for strace's messages"};
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(err[1], STDERR_FILENO);
        execlp("strace", "strace", "-qq", "-o", "/dev/null", "true", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(err[1]);
    std::string text;
    char buf[512];
    ssize_t n;
    while ((n = read(err[0], buf, sizeof buf)) > 0) text.append(buf, static_cast<std::size_t>(n));
    close(err[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return {};
    if (WIFEXITED(status) && WEXITSTATUS(status) == 127) return {false, ""};
    return {true, "strace cannot trace here: " + text};
}

std::string report(const std::string& first_line, const std::string& message) {
    return crlf + "run-time error " + first_line + crlf + "- " + message + crlf;
}

class FaultInjection : public testing::Test {
protected:
    void SetUp() override {
        // strace is a test dependency: missing, it fails the test.
        const StraceCheck strace = check_strace();
        ASSERT_TRUE(strace.installed) << "strace is not installed (scripts/setup.sh test installs it)";
        if (!strace.cannot_trace.empty()) GTEST_SKIP() << strace.cannot_trace;
        dir_.install_shipped_table();
        plain_ = traced(dir_, {});
        calls_ = parse_log(dir_.file("trace.log"));
        ASSERT_EQ(plain_.err, e2e::end_of_input_report);
        ASSERT_EQ(e2e::result_values(plain_.out).size(), 32u);
        for (const Call& c : calls_.program) (c.is_read ? reads_ : writes_)++;
        ASSERT_GT(reads_, 3);
        ASSERT_GT(writes_, 20);
    }

    // strace counts each system call on its own, from the process's first.
    std::string at_read(int k) const { return std::to_string(calls_.loader_reads + k); }

    // Index in calls_.program of the program's k-th read or write (from 1).
    std::size_t index_of(bool is_read, int k) const {
        for (std::size_t i = 0; i < calls_.program.size(); ++i)
            if (calls_.program[i].is_read == is_read && --k == 0) return i;
        return calls_.program.size();
    }

    // What standard output holds when the call at index i fails and its
    // bytes are lost: all the rest, or only what came before it and the
    // line end of the stop (when a record before it opened a line).
    std::string out_without(std::size_t i, bool stopped) const {
        std::size_t before = 0;
        for (std::size_t j = 0; j < i; ++j)
            if (!calls_.program[j].is_read && calls_.program[j].fd == 1)
                before += static_cast<std::size_t>(calls_.program[j].result);
        if (stopped) return plain_.out.substr(0, before) + (before > 0 ? crlf : "");
        const Call& lost = calls_.program[i];
        if (lost.fd != 1) return plain_.out;
        return plain_.out.substr(0, before) + plain_.out.substr(before + static_cast<std::size_t>(lost.result));
    }

    WorkDir dir_;
    Outcome plain_;
    Calls calls_;
    int reads_ = 0;
    int writes_ = 0;
};

void expect_same(const Outcome& o, const Outcome& plain, const std::string& what) {
    EXPECT_EQ(o.out, plain.out) << what;
    EXPECT_EQ(o.err, plain.err) << what;
    EXPECT_EQ(o.status, plain.status) << what;
    EXPECT_EQ(o.signal, 0) << what;
}

// Each read and each write interrupted, or found not ready, once; then
// every other one, and every one of them in turn with its retry going
// through.
TEST_F(FaultInjection, InterruptedOrNotReadyChangesNothing) {
    for (const char* error : {"EINTR", "EAGAIN"}) {
        for (int k = 1; k <= reads_; ++k) {
            const std::string injection = std::string("read:error=") + error + ":when=" + at_read(k);
            expect_same(traced(dir_, {injection}), plain_, injection);
        }
        for (int k = 1; k <= writes_; ++k) {
            const std::string injection = std::string("write:error=") + error + ":when=" + std::to_string(k);
            expect_same(traced(dir_, {injection}), plain_, injection);
        }
        for (const char* parity : {"+2", "+3"}) {
            const std::vector<std::string> injections = {
                std::string("read:error=") + error + ":when=" + at_read(1) + parity,
                std::string("write:error=") + error + ":when=1" + parity};
            expect_same(traced(dir_, injections), plain_, injections[0] + " " + injections[1]);
        }
    }
}

// A full device stops the run at the record it could not write; a broken
// pipe or an I/O error on output loses that record and nothing else. A
// failed report is lost and the stop goes on.
TEST_F(FaultInjection, WriteFailures) {
    const std::string no_space = report("F6422: WRITE(CON)", "no space left on the device");
    for (int k = 1; k <= writes_; k += k < 10 || k > writes_ - 4 ? 1 : 3) {
        const std::size_t i = index_of(false, k);
        const bool to_stdout = calls_.program[i].fd == 1;
        // The line end at the stop comes after the report: the run is
        // already stopping when it fails.
        const bool last = k == writes_;
        for (const char* error : {"ENOSPC", "EIO", "EPIPE"}) {
            const std::string injection = std::string("write:error=") + error + ":when=" + std::to_string(k);
            SCOPED_TRACE(injection);
            const Outcome o = traced(dir_, {injection});
            const bool stops = std::string(error) == "ENOSPC" && to_stdout && !last;
            EXPECT_EQ(o.status, 1);
            EXPECT_EQ(o.signal, 0);
            EXPECT_EQ(o.out, out_without(i, stops));
            EXPECT_EQ(o.err, stops ? no_space : to_stdout ? plain_.err : "");
        }
    }
}

// A read that fails stops with read failure on the unit it was for.
TEST_F(FaultInjection, ReadFailures) {
    for (int k = 1; k <= reads_; ++k) {
        const std::size_t i = index_of(true, k);
        const std::string unit = calls_.program[i].fd == 0 ? "CON" : "fc_tab10.dat";
        const std::string injection = "read:error=EIO:when=" + at_read(k);
        SCOPED_TRACE(injection + " on " + unit);
        const Outcome o = traced(dir_, {injection});
        EXPECT_EQ(o.status, 1);
        EXPECT_EQ(o.err, report("F6500: READ(" + unit + ")", "read failure"));
        EXPECT_EQ(o.out, out_without(i, true));
    }
}

}  // namespace
