// fcgauss -f - at a terminal: each line typed is answered before the next
// is read, and Ctrl+D ends the run.

#include <gtest/gtest.h>

#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

namespace {

// What the terminal shows within a second, up to and including `until`.
std::string read_until(int fd, const std::string& until) {
    std::string seen;
    while (seen.find(until) == std::string::npos) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 1000) <= 0) break;
        char buffer[4096];
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0) break;
        seen.append(buffer, static_cast<std::size_t>(n));
    }
    return seen;
}

TEST(FcgaussTerminal, AnswersEachTypedLine) {
    int terminal = -1;
    const pid_t pid = forkpty(&terminal, nullptr, nullptr, nullptr);
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        execl(FCGAUSS_BIN, FCGAUSS_BIN, "--format", "csv", "--cl", "90", "-f", "-", static_cast<char*>(nullptr));
        _exit(127);
    }
    EXPECT_NE(read_until(terminal, "x,sigma,cl,lower,upper\r\n").find("x,sigma,cl,lower,upper"), std::string::npos);
    ASSERT_EQ(write(terminal, "1.2 0.5\n", 8), 8);
    EXPECT_NE(read_until(terminal, "2.0224268134757364\r\n").find("1.2,0.5,0.9,0.43426545351790474,2.0224268134757364"),
              std::string::npos);
    ASSERT_EQ(write(terminal, "-3 2\n", 5), 5);
    EXPECT_NE(read_until(terminal, "-3,2,0.9,0,").find("-3,2,0.9,0,"), std::string::npos);
    ASSERT_EQ(write(terminal, "\x04", 1), 1);
    read_until(terminal, "never");
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    close(terminal);
}

}  // namespace
