// Queries answered end to end: the numbers the built program prints for
// what is typed, against the table and DIVDIF computed here.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "mathlib/divdif.hpp"
#include "dialogue_text.hpp"
#include "norvex_process.hpp"
#include "table_fixture.hpp"

namespace {

using e2e::Outcome;
using e2e::TableRow;
using e2e::WorkDir;

// What the program computes: r and each product in single precision.
std::vector<float> expected_limits(const std::vector<TableRow>& rows, float x, float sigma) {
    float grid[62], column[62];
    for (int i = 0; i < 62; ++i) grid[i] = rows[i].v[0];
    const float r = x / sigma;
    std::vector<float> ends;
    for (int k = 1; k <= 8; ++k) {
        for (int i = 0; i < 62; ++i) column[i] = rows[i].v[k];
        ends.push_back(DIVDIF(column, grid, 62, r, 2) * sigma);
    }
    return ends;
}

// The printed text keeps seven significant digits.
void expect_printed(const std::vector<float>& printed, const std::vector<float>& want,
                    const std::string& context) {
    ASSERT_EQ(printed.size(), want.size()) << context;
    for (std::size_t k = 0; k < want.size(); ++k)
        EXPECT_NEAR(printed[k], want[k], 5.000001e-7 * std::fabs(want[k]) + 1e-37)
            << context << " end " << k + 1;
}

Outcome ask(const std::string& table, const std::string& input) {
    WorkDir dir;
    dir.write("fc_tab10.dat", table);
    return e2e::run(dir, input);
}

TEST(Queries, GridValueWithUnitSigmaReturnsThatRowExactly) {
    const auto rows = e2e::simple_rows();
    for (int i : {0, 1, 17, 22, 40, 61}) {
        char input[64];
        std::snprintf(input, sizeof input, "%.9g 1\n", rows[i].v[0]);
        const Outcome o = ask(e2e::table_text(rows), input);
        const auto printed = e2e::result_values(o.out);
        ASSERT_EQ(printed.size(), 8u) << input;
        for (int k = 0; k < 8; ++k) EXPECT_EQ(printed[k], rows[i].v[k + 1]) << input << " end " << k + 1;
        EXPECT_EQ(o.status, 1);
    }
}

TEST(Queries, ShippedTableGridRowsComeBack) {
    const std::string table = e2e::shipped_table_text();
    const auto rows = e2e::parse_table(table);
    ASSERT_EQ(rows.size(), 62u);
    for (int i : {0, 5, 20, 31, 45, 61}) {
        char input[64];
        std::snprintf(input, sizeof input, "%.9g 1\n", rows[i].v[0]);
        const Outcome o = ask(table, input);
        expect_printed(e2e::result_values(o.out),
                       std::vector<float>(rows[i].v.begin() + 1, rows[i].v.end()), input);
    }
}

TEST(Queries, EndsAreTheScaledInterpolation) {
    const std::string table = e2e::shipped_table_text();
    const auto rows = e2e::parse_table(table);
    struct Case {
        const char* typed;
        float x, sigma;
    } cases[] = {
        {"1.2 0.5\n", 1.2f, 0.5f},          {"-0.7, 0.3\n", -0.7f, 0.3f},
        {"4.44 1.1\n", 4.44f, 1.1f},        {"12.5 0.25\n", 12.5f, 0.25f},
        {"250 3\n", 250.0f, 3.0f},          {"1 -2\n", 1.0f, -2.0f},   // a negative sigma(x) is used as it is
        {"-20 1\n", -20.0f, 1.0f},          {"0 1\n", 0.0f, 1.0f},
    };
    for (const Case& c : cases) {
        const Outcome o = ask(table, c.typed);
        expect_printed(e2e::result_values(o.out), expected_limits(rows, c.x, c.sigma), c.typed);
        EXPECT_EQ(o.status, 1) << c.typed;
    }
}

TEST(Queries, MeasurementMaySpanLinesAndBeReused) {
    const std::string table = e2e::shipped_table_text();
    const auto rows = e2e::parse_table(table);
    struct Case {
        std::string typed;
        std::vector<std::pair<float, float>> queries;
    } cases[] = {
        {"1.2\n0.5\n", {{1.2f, 0.5f}}},                                  // x alone, sigma(x) on the next line
        {"\n   \n1.2\t0.5  \n", {{1.2f, 0.5f}}},                           // blank lines are passed over
        {"1.2 0.5\n1.5,,\n", {{1.2f, 0.5f}, {1.5f, 0.5f}}},                // the second reuses sigma(x)
        {"1.2 0.5\n,2\n", {{1.2f, 0.5f}, {1.2f, 2.0f}}},                   // and here x
        {"1.2 0.5 7\n3 1\n", {{1.2f, 0.5f}, {3.0f, 1.0f}}},                // the rest of a line is dropped
        {"2*1.5\n", {{1.5f, 1.5f}}},
        {"#2*1.5\n", {{1.5f, 1.5f}}},                                     // a repeat count in radix form
        {",1\n", {{0.0f, 1.0f}}},                                         // x is zero before the first query
        {"'' 2\n", {{0.0f, 2.0f}}},                                       // a quoted null
        {"-0 1\n", {{-0.0f, 1.0f}}},
        {"1.2 0.5\r\n", {{1.2f, 0.5f}}},                                  // a CR LF line end
        {"1.2 0.5", {{1.2f, 0.5f}}},                                       // a last line without its LF
        {std::string(298, '0') + "1.5 1\n", {{1.5f, 1.0f}}},    // a value across read blocks
    };
    for (const Case& c : cases) {
        const Outcome o = ask(table, c.typed);
        std::vector<float> want;
        for (auto [x, sigma] : c.queries) {
            const auto ends = expected_limits(rows, x, sigma);
            want.insert(want.end(), ends.begin(), ends.end());
        }
        expect_printed(e2e::result_values(o.out), want, c.typed);
    }
}

TEST(Queries, TableLineEndsDoNotMatter) {
    const auto rows = e2e::simple_rows();
    const Outcome lf = ask(e2e::table_text(rows, "\n"), "0.3 1.5\n");
    EXPECT_EQ(e2e::result_values(lf.out).size(), 8u);
    std::string no_last_lf = e2e::table_text(rows, "\n");
    no_last_lf.pop_back();
    for (const std::string& table : {e2e::table_text(rows, "\r\n"), no_last_lf})
        EXPECT_EQ(ask(table, "0.3 1.5\n").out, lf.out);
}

TEST(Queries, WhatFollowsTheLastGroupIsNeverRead) {
    const std::string table = e2e::table_text(e2e::simple_rows()) + "not a number 1.0x\n'quoted'\n";
    const Outcome o = ask(table, "1.5 1\n");
    EXPECT_EQ(e2e::result_values(o.out).size(), 8u);
    EXPECT_EQ(o.err, e2e::end_of_input_report);
}

TEST(Queries, InputEndingEndsTheRunWithStatusOne) {
    const Outcome o = ask(e2e::shipped_table_text(), "1.2 0.5\n");
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(e2e::result_values(o.out).size(), 8u);
    EXPECT_EQ(o.err, e2e::end_of_input_report);
}

}  // namespace
