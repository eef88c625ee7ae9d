// fcbelt --help: a description and every command on standard output,
// exit status 0; the usage on a wrong command names it too.

#include "belt_test_support.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(FcbeltHelp, DescribesEveryCommand) {
    for (const char* flag : {"--help", "-h"}) {
        const auto r = belt_test::run_fcbelt(flag);
        EXPECT_EQ(r.status, 0) << flag;
        for (const char* command : {"fcbelt write", "fcbelt verify FILE", "fcbelt plot-data FILE DIR", "fcgauss"})
            EXPECT_NE(r.out.find(command), std::string::npos) << command;
    }
    const auto wrong = belt_test::run_command(std::string(FCBELT_BIN) + " --helpme 2>&1");
    EXPECT_EQ(wrong.status, 2);
    EXPECT_NE(wrong.out.find("fcbelt --help"), std::string::npos) << wrong.out;
    EXPECT_EQ(belt_test::run_command(std::string(FCBELT_BIN) + " --help > /dev/full").status, 1);
}

}  // namespace
