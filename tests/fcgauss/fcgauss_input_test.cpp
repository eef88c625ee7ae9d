// What fcgauss takes and refuses: arguments and options, the lines of a
// file, the levels; one message per refused line or pair, the rest
// answered; exit status 0, 1 or 2.

#include "fcgauss_run.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

using namespace fcgauss_test;

// The (x, sigma) pairs answered, in order, from csv output at one level.
std::vector<std::pair<double, double>> answered(const std::string& csv) {
    std::vector<std::pair<double, double>> pairs;
    for (const auto& row : csv_rows(csv)) pairs.emplace_back(row[0], row[1]);
    return pairs;
}

struct LineCase {
    const char* line;
    const char* message;  // on standard error after "fcgauss: line 2: "; "" when answered or skipped
    double x, sigma;      // when answered
};

// Each case is the second line of a file between two good ones: the good
// ones are always answered, and the case's line is answered, skipped or
// refused with its line number.
const LineCase line_cases[] = {
    {"1.5 2", "", 1.5, 2},
    {"1.5\t2", "", 1.5, 2},
    {"  1.5 ,\t2  ", "", 1.5, 2},
    {"1.5,2", "", 1.5, 2},
    {"1.5 2\r", "", 1.5, 2},
    {"+1.5 .5e1", "", 1.5, 5},
    {"-0 1e-300", "", -0.0, 1e-300},
    {"-1.7976931348623157e308 4.9e-324", "", -1.7976931348623157e308, 4.9e-324},
    {"", "", 0, 0},
    {" \t ", "", 0, 0},
    {"# x sigma", "", 0, 0},
    {"   # indented note", "", 0, 0},
    {"1,2 0,5", "4 values where x and sigma belong (a decimal comma? write 1.2 0.5)", 0, 0},
    {"1.5", "1 value where x and sigma belong", 0, 0},
    {"1.5 2 3", "3 values where x and sigma belong", 0, 0},
    {"1.5 2 # note", "4 values where x and sigma belong", 0, 0},
    {"1.5,,2", "x and sigma are separated by blanks, tabs or one comma", 0, 0},
    {"1.5,2,", "x and sigma are separated by blanks, tabs or one comma", 0, 0},
    {",1.5 2", "x and sigma are separated by blanks, tabs or one comma", 0, 0},
    {"abc 1", "x \"abc\" is not a number", 0, 0},
    {"1 0x1p3", "sigma \"0x1p3\" is not a number", 0, 0},
    {"1e400 1", "x \"1e400\" is out of the range of a double", 0, 0},
    {"1 1e-400", "sigma \"1e-400\" is out of the range of a double", 0, 0},
    {"nan 1", "x \"nan\" is not a finite number", 0, 0},
    {"1 -inf", "sigma \"-inf\" is not a finite number", 0, 0},
    {"1 Infinity", "sigma \"Infinity\" is not a finite number", 0, 0},
    {"1 0", "sigma \"0\" is not positive", 0, 0},
    {"1 -0", "sigma \"-0\" is not positive", 0, 0},
    {"1 -2", "sigma \"-2\" is not positive", 0, 0},
    {"1.5 2e", "sigma \"2e\" is not a number", 0, 0},
    {"1,5", "", 1, 5},  // a lone decimal comma cannot be told from the separator
    {"1e308 1e308", "an end of the interval lies beyond the largest double", 0, 0},
};

TEST(FcgaussInput, EachLineAnsweredSkippedOrRefusedAlone) {
    for (const LineCase& c : line_cases) {
        const std::string file = scratch_file("lines.txt", std::string("0.5 1\n") + c.line + "\n3 2");
        const Outcome r = run_fcgauss({"--cl", "0.9", "--format", "csv", "-f", file});
        const auto pairs = answered(r.out);
        const bool refused = *c.message != '\0';
        const bool skipped = !refused && c.sigma == 0;
        ASSERT_EQ(pairs.size(), refused || skipped ? 2u : 3u) << c.line << "\n" << r.out;
        EXPECT_EQ(pairs.front(), std::make_pair(0.5, 1.0));
        EXPECT_EQ(pairs.back(), std::make_pair(3.0, 2.0));
        if (!refused && !skipped) {
            EXPECT_EQ(pairs[1], std::make_pair(c.x, c.sigma)) << c.line;
            EXPECT_EQ(std::signbit(pairs[1].first), std::signbit(c.x)) << c.line;
        }
        EXPECT_EQ(r.err, refused ? std::string("fcgauss: line 2: ") + c.message + "\n" : "") << c.line;
        EXPECT_EQ(r.status, refused ? 1 : 0) << c.line;
    }
}

// A NUL is a byte like any other, and is shown as ? in the message.
TEST(FcgaussInput, ANulByteIsPartOfTheLine) {
    const Outcome r = run_fcgauss({"-f", scratch_file("nul.txt", std::string("1\0 2\n", 5))});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "fcgauss: line 1: x \"1?\" is not a number\n");
}

struct ArgsCase {
    std::vector<std::string> args;
    int status;
    const char* err;   // the first line of standard error
    std::size_t rows;  // csv rows answered (with --format csv and one level added in front)
};

TEST(FcgaussInput, ArgumentsAndOptions) {
    const ArgsCase cases[] = {
        {{"1.2", "0.5"}, 0, "", 1},
        {{"-0.3", "1", "-1.5", "2"}, 0, "", 2},
        {{"1", "0", "2", "abc", "3", "1"}, 1, "fcgauss: argument 5: sigma \"0\" is not positive", 1},
        {{"1", "1", "2"}, 1, "fcgauss: argument 7: x \"2\" has no sigma after it", 1},
        {{"-inf", "1"}, 1, "fcgauss: argument 5: x \"-inf\" is not a finite number", 0},
        {{"--", "-x", "1"}, 1, "fcgauss: argument 6: x \"-x\" is not a number", 0},
        {{"-x", "1"}, 2, "fcgauss: unknown option \"-x\"", 0},
        {{"--verbose", "1", "1"}, 2, "fcgauss: unknown option \"--verbose\"", 0},
        {{}, 2, "fcgauss: no measurements", 0},
        {{"-f"}, 2, "fcgauss: -f needs a file name (- for standard input)", 0},
        {{"-f", "-", "1", "1"}, 2, "fcgauss: give measurements either as arguments or with -f, not both", 0},
        {{"-f", "-", "-f", "-"}, 2, "fcgauss: -f given twice", 0},
        {{"--format", "xml", "1", "1"}, 2, "fcgauss: --format: \"xml\" is none of text, csv and json", 0},
        {{"--format"}, 2, "fcgauss: --format needs a value", 0},
        {{"--cl"}, 2, "fcgauss: --cl needs a value", 0},
        {{"-f", "/nonexistent/queries.txt"}, 2, "fcgauss: cannot open /nonexistent/queries.txt: No such file or directory", 0},
        {{"-f", "/"}, 2, "fcgauss: cannot read /: Is a directory", 0},
    };
    for (const ArgsCase& c : cases) {
        std::vector<std::string> args{"--format", "csv", "--cl", "0.9"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const Outcome r = run_fcgauss(args);
        EXPECT_EQ(r.status, c.status) << args.back();
        EXPECT_EQ(lines_of(r.err).empty() ? "" : lines_of(r.err)[0], c.err);
        EXPECT_EQ(csv_rows(r.out).size(), c.rows) << r.out;
    }
}

// A usage error shows the usage; --help describes every option on standard
// output and ends with status 0.
TEST(FcgaussInput, UsageAndHelp) {
    const Outcome usage = run_fcgauss({"--bogus"});
    EXPECT_NE(usage.err.find("usage: fcgauss [--cl LIST] [--format text|csv|json] X SIGMA"), std::string::npos);
    for (const char* flag : {"--help", "-h"}) {
        const Outcome help = run_fcgauss({"1", "1", flag});
        EXPECT_EQ(help.status, 0);
        EXPECT_EQ(help.err, "");
        for (const char* word : {"-f FILE", "--cl LIST", "--format", "Exit status"})
            EXPECT_NE(help.out.find(word), std::string::npos) << word;
    }
    EXPECT_EQ(run_fcgauss({"--help"}, output_to("/dev/full")).status, 2);
}

struct LevelCase {
    const char* list;
    std::vector<double> levels;  // empty: refused
};

TEST(FcgaussInput, LevelsAsFractionsOrPercentages) {
    const LevelCase cases[] = {
        {"0.9", {0.9}},
        {"90", {0.9}},
        {"90%", {0.9}},
        {" 90 , 95% ,0.99", {0.9, 0.95, 0.99}},
        {"68.27", {0.6827}},
        {"68.27%", {0.6827}},
        {"9e1", {0.9}},
        {"9e+1%", {0.9}},
        {"1", {0.01}},
        {"0.5%", {0.005}},
        {"1e-300", {1e-300}},
        {"99.99999999999999", {0.9999999999999999}},
        {"0.9999999999999999", {0.9999999999999999}},
        {"100", {}},
        {"100%", {}},
        {"0", {}},
        {"0%", {}},
        {"-90", {}},
        {"", {}},
        {"90,,95", {}},
        {"90,", {}},
        {"ninety", {}},
        {"nan", {}},
        {"1e400%", {}},
        {"0e-9223372036854775808%", {}},
    };
    for (const LevelCase& c : cases) {
        const Outcome r = run_fcgauss({"--format", "csv", "--cl", c.list, "1", "1"});
        if (c.levels.empty()) {
            EXPECT_EQ(r.status, 2) << c.list;
            EXPECT_EQ(r.err.rfind("fcgauss: --cl: ", 0), 0u) << c.list << ": " << r.err;
            continue;
        }
        EXPECT_EQ(r.status, 0) << c.list << ": " << r.err;
        const auto rows = csv_rows(r.out);
        ASSERT_EQ(rows.size(), c.levels.size()) << c.list;
        for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i][2], c.levels[i]) << c.list;
    }
}

// Without --cl: the calculator's four levels, erf(1/sqrt 2) first, with
// the very ends the same levels give when named.
TEST(FcgaussInput, DefaultLevelsAreTheCalculatorsFour) {
    const Outcome named = run_fcgauss({"--format", "csv", "--cl", "0.6826894921370859,90,95%,0.99", "1", "1", "-2", "1"});
    EXPECT_EQ(run_fcgauss({"--format", "csv", "1", "1", "-2", "1"}).out, named.out);
    const Outcome r = run_fcgauss({"--format", "csv", "1", "1"});
    ASSERT_EQ(r.status, 0);
    const auto rows = csv_rows(r.out);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0][2], std::erf(1 / std::sqrt(2.0)));
    EXPECT_EQ(rows[1][2], 0.9);
    EXPECT_EQ(rows[2][2], 0.95);
    EXPECT_EQ(rows[3][2], 0.99);
}

}  // namespace
