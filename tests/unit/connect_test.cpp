#include "textio/connect.hpp"

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "tests/unit/fed_input.hpp"
#include "textio/header_read.hpp"
#include "textio/run_state.hpp"

namespace {

using textio_test::read_stop;
using textio_test::Source;
using textio_test::write_all;

constexpr char table_name[] = "fc_tab10.dat";

std::string open_stop(int number, const std::string& name = table_name) {
    return "run-time error F" + std::to_string(number) + ": OPEN\\(" + name + "\\)";
}

// A directory of its own for each test, that an unprivileged user may
// search, removed with everything in it at the end.
class ConnectTest : public testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/norvex-connect-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        chmod(dir_.c_str(), 0755);
    }
    void TearDown() override {
        const std::string command = "rm -rf '" + dir_ + "'";
        ASSERT_EQ(std::system(command.c_str()), 0);
    }

    std::string path(const std::string& name) const { return dir_ + "/" + name; }

    void make_file(const std::string& name, const std::string& bytes, mode_t mode = 0644) const {
        const int fd = open(path(name).c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0600);
        ASSERT_GE(fd, 0);
        write_all(fd, bytes);
        close(fd);
        chmod(path(name).c_str(), mode);
    }

    // In a death-test child: the unit's name is then the bare file name.
    void enter() const {
        if (chdir(dir_.c_str()) != 0) _exit(2);
    }

    std::string dir_;
};

void read_header_line() {
    char line[textio::header_width];
    textio::read_a72(textio::connect_table(table_name), line);
}

TEST_F(ConnectTest, ConnectsTheTrimmedNameAndReadsIt) {
    make_file(table_name, "first header\nsecond\n");
    const std::string name = path(table_name);
    textio::InputUnit& unit = textio::connect_table("   " + name + "  ");
    EXPECT_EQ(std::string(unit.name), name);
    EXPECT_GE(unit.fd, 0);
    EXPECT_EQ(textio::run_state().table_fd, unit.fd);
    EXPECT_EQ(unit.capacity, textio::table_block);
    char line[textio::header_width];
    textio::read_a72(unit, line);
    EXPECT_EQ(std::string(line, 12), "first header");
    EXPECT_EQ(line[12], ' ');
}

TEST_F(ConnectTest, RefusalsStopWithTheirCause) {
    make_file("plain", "not a directory\n");
    ASSERT_EQ(mkdir(path(table_name).c_str(), 0755), 0);
    ASSERT_EQ(symlink("loop", path("loop").c_str()), 0);
    const struct {
        std::string name;
        std::string report;
    } cases[] = {
        {"missing.dat", open_stop(6416, "missing.dat")},
        {"  missing.dat ", open_stop(6416, "missing.dat")},
        {"no_such_dir/fc_tab10.dat", open_stop(6416, "no_such_dir/fc_tab10.dat")},
        {"plain/fc_tab10.dat", open_stop(6416, "plain/fc_tab10.dat")},  // ENOTDIR
        {table_name, open_stop(6414)},                                  // a directory
        {"loop", open_stop(6412, "loop")},                              // ELOOP
        {std::string(5000, 'n'), "run-time error F6412: OPEN\\(nnnn"},     // ENAMETOOLONG
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.substr(0, 40));
        EXPECT_EXIT(
            {
                enter();
                textio::connect_table(c.name);
            },
            testing::ExitedWithCode(1), c.report);
    }
}

TEST_F(ConnectTest, TooManyOpenFiles) {
    make_file(table_name, "header\n");
    EXPECT_EXIT(
        {
            enter();
            rlimit none;
            none.rlim_cur = none.rlim_max = 0;
            if (setrlimit(RLIMIT_NOFILE, &none) != 0) _exit(2);
            textio::connect_table(table_name);
        },
        testing::ExitedWithCode(1), open_stop(6417));
}

// Permission bits bind root only once it has given up its privileges.
bool drop_privileges() {
    if (geteuid() != 0) return true;
    constexpr uid_t nobody = 65534;
    return setgroups(0, nullptr) == 0 && setgid(nobody) == 0 && setuid(nobody) == 0;
}

bool can_drop_privileges() {
    const pid_t child = fork();
    if (child == 0) _exit(drop_privileges() ? 0 : 1);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST_F(ConnectTest, AccessModesFollowThePermissions) {
    if (!can_drop_privileges()) GTEST_SKIP() << "running as root without the right to drop it";
    // No access at all.
    make_file(table_name, "header\n", 0000);
    EXPECT_EXIT(
        {
            enter();
            if (!drop_privileges()) _exit(2);
            read_header_line();
        },
        testing::ExitedWithCode(1), open_stop(6414));
    // Read-only: connected, and read.
    make_file(table_name, "header\n", 0444);
    EXPECT_EXIT(
        {
            enter();
            if (!drop_privileges()) _exit(2);
            read_header_line();
            _exit(0);
        },
        testing::ExitedWithCode(0), "");
    // Write-only: connected, but the first read fails.
    make_file(table_name, "header\n", 0222);
    EXPECT_EXIT(
        {
            enter();
            if (!drop_privileges()) _exit(2);
            read_header_line();
        },
        testing::ExitedWithCode(1), read_stop(6500, Source::table));
}

}  // namespace
