// fcgauss on the streams a script may hand it: standard input, a named
// pipe, an empty or a large file, lines of any length, a closed or full
// standard output, a closed standard input.

#include "fcgauss_run.hpp"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <thread>

namespace {

using namespace fcgauss_test;

TEST(FcgaussStreams, StandardInputWithDash) {
    const Outcome r = run_fcgauss({"--format", "csv", "--cl", "90", "-f", "-"}, input("1.2 0.5\n-0.3,1\n"));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(csv_rows(r.out).size(), 2u);
}

TEST(FcgaussStreams, EmptyInputIsAnsweredInFull) {
    const std::string empty = scratch_file("empty.txt", "");
    const Outcome csv = run_fcgauss({"--format", "csv", "-f", empty});
    EXPECT_EQ(csv.status, 0);
    EXPECT_EQ(csv.out, "x,sigma,cl,lower,upper\n");
    const Outcome json = run_fcgauss({"--format", "json", "-f", empty});
    EXPECT_EQ(json.out, "[]\n");
    const Outcome text = run_fcgauss({"-f", "-"}, input("# nothing but a note\n\n"));
    EXPECT_EQ(text.status, 0);
    EXPECT_EQ(text.out, "");
}

// A last line without its LF is a line; so is one that ends in CR LF.
TEST(FcgaussStreams, LastLineWithoutLineEnd) {
    const Outcome r = run_fcgauss({"--format", "csv", "--cl", "90", "-f", "-"}, input("1 1\r\n2 1"));
    EXPECT_EQ(r.status, 0) << r.err;
    const auto rows = csv_rows(r.out);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1][0], 2.0);
}

// A line past the limit is refused by its number, without being kept, and
// the lines after it are read as usual; one just under it is read.
TEST(FcgaussStreams, LinesOfAnyLength) {
    const std::string too_long = std::string(3 << 20, ' ') + "1 1";
    const std::string long_but_fine = "1" + std::string((1 << 20) - 10, ' ') + "2";
    const Outcome r = run_fcgauss({"--format", "csv", "--cl", "90", "-f", "-"},
                                  input("1 1\n" + too_long + "\n" + long_but_fine + "\n" + too_long + "\n4 1\n"));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err,
              "fcgauss: line 2: longer than 1048576 bytes\n"
              "fcgauss: line 4: longer than 1048576 bytes\n");
    const auto rows = csv_rows(r.out);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1][0], 1.0);
    EXPECT_EQ(rows[1][1], 2.0);
    EXPECT_EQ(rows[2][0], 4.0);

    const Outcome last = run_fcgauss({"-f", "-"}, input(too_long));
    EXPECT_EQ(last.status, 1);
    EXPECT_EQ(last.err, "fcgauss: line 1: longer than 1048576 bytes\n");
}

// 200,000 lines, a bad one among them: every good one is answered once, in
// order, and the message names the bad line's number.
TEST(FcgaussStreams, LargeFile) {
    std::string text;
    constexpr int lines = 200000;
    for (int i = 1; i <= lines; ++i) text += i == 123457 ? "oops\n" : std::to_string(i % 97 - 20) + " 1.5\n";
    const Outcome r = run_fcgauss({"--format", "csv", "--cl", "90", "-f", scratch_file("large.txt", text)});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "fcgauss: line 123457: 1 value where x and sigma belong\n");
    const auto rows = csv_rows(r.out);
    ASSERT_EQ(rows.size(), std::size_t(lines - 1));
    EXPECT_EQ(rows[123455][0], 123456 % 97 - 20);
    EXPECT_EQ(rows[123456][0], 123458 % 97 - 20);
}

TEST(FcgaussStreams, NamedPipe) {
    const std::string fifo = scratch_file("fifo", "");
    unlink(fifo.c_str());
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::thread writer([&] { std::ofstream(fifo) << "1.2 0.5\n3 1\n"; });
    const Outcome r = run_fcgauss({"--format", "csv", "--cl", "0.9", "-f", fifo});
    writer.join();
    unlink(fifo.c_str());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(csv_rows(r.out).size(), 2u);
}

// Results that cannot be written are a failure of the run, said once.
TEST(FcgaussStreams, UnwritableOutput) {
    const Outcome closed = run_fcgauss({"1", "1"}, closed_output());
    EXPECT_EQ(closed.status, 2);
    EXPECT_EQ(closed.err, "fcgauss: cannot write the results: Bad file descriptor\n");

    const Outcome full = run_fcgauss({"1", "1"}, output_to("/dev/full"));
    EXPECT_EQ(full.status, 2);
    EXPECT_EQ(full.err, "fcgauss: cannot write the results: No space left on device\n");

    // With -f the input file must not take the closed descriptor's place
    // and be written to.
    const std::string file = scratch_file("keep.txt", "1 1\n");
    const Outcome into_input = run_fcgauss({"-f", file}, closed_output());
    EXPECT_EQ(into_input.status, 2);
    std::ifstream in(file);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "1 1\n");
}

TEST(FcgaussStreams, ClosedStandardInput) {
    const Outcome r = run_fcgauss({"-f", "-"}, closed_input());
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "fcgauss: cannot read standard input: Bad file descriptor\n");
}

}  // namespace
