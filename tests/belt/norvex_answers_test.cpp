// The shipped table as a user meets it: the intervals the built program
// prints, against the exact belt, for every ratio x / sigma a user can
// type: the near range in absolute error with no lower end below zero,
// and from 10 up to the largest REAL in relative error, at any sigma.

#include "belt/accuracy.hpp"
#include "belt/confidence.hpp"
#include "belt_test_support.hpp"

#include <gtest/gtest.h>

#include <unistd.h>

#include <array>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace fcbelt;

struct Query {
    float x;
    float sigma;
};

using Printed = std::array<double, end_count>;

// One run of norvex on the shipped table with all the queries in a file.
std::vector<Printed> norvex_answers(const std::vector<Query>& queries) {
    const std::string dir = ::testing::TempDir() + "norvex_answers_" + std::to_string(::getpid());
    EXPECT_EQ(std::system(("mkdir -p " + dir).c_str()), 0);
    std::ofstream(dir + "/fc_tab10.dat", std::ios::binary) << belt_test::file_bytes(NORVEX_SHIPPED_TABLE);
    {
        std::ofstream in(dir + "/queries.txt");
        char line[64];
        for (const Query& q : queries) {
            // Ten digits: the largest REAL's nine round up past it.
            std::snprintf(line, sizeof line, "%.10g %.10g\n", q.x, q.sigma);
            in << line;
        }
    }
    const auto run = belt_test::run_command("cd " + dir + " && " + NORVEX_BIN + " < queries.txt 2>/dev/null");
    EXPECT_EQ(run.status, 1);  // the ordinary end: the input ran out
    std::system(("rm -rf " + dir).c_str());

    // Four result records a query, each its level's lower and upper end.
    std::vector<double> ends;
    for (std::size_t at = 0; (at = run.out.find("\r\nwith ", at)) != std::string::npos;) {
        at = run.out.find('%', at) + 1;
        char* end = nullptr;
        ends.push_back(std::strtod(run.out.c_str() + at, &end));
        ends.push_back(std::strtod(end, &end));
    }
    std::vector<Printed> answers(ends.size() / end_count);
    for (std::size_t i = 0; i < ends.size(); ++i) answers[i / end_count][i % end_count] = ends[i];
    EXPECT_EQ(answers.size(), queries.size());
    return answers;
}

// The last printed digit: seven significant ones.
double printed_digit(double v) { return 5e-7 * std::fabs(v); }

// x0 from the start of the checked range to 10, at sigma = 1, on a step
// of its own, and close on both sides of each kink: absolute error and
// the sign of each lower end.
TEST(NorvexAnswers, NearRangeWithinTheTargetAndNeverBelowZero) {
    std::vector<Query> queries;
    for (int i = 0; i <= 12007; ++i)
        queries.push_back({static_cast<float>(near_range.from + (10.0 - near_range.from) * i / 12007), 1.0f});
    for (double kink : belt_test::one_sided_z)
        for (double d = 1e-7; d < 0.02; d *= 1.1)
            for (double side : {-1.0, 1.0}) queries.push_back({static_cast<float>(kink + side * d), 1.0f});
    const auto answers = norvex_answers(queries);
    ASSERT_EQ(answers.size(), queries.size());

    double worst = 0, lowest = 0;
    float worst_at = 0, lowest_at = 0;
    for (std::size_t i = 0; i < queries.size(); ++i) {
        const BeltRow exact = belt_row(queries[i].x);
        for (int k = 0; k < end_count; ++k) {
            const double error = std::fabs(answers[i][k] - exact[k]) - printed_digit(exact[k]);
            if (error > worst) worst = error, worst_at = queries[i].x;
            if (k % 2 == 0 && answers[i][k] < lowest) lowest = answers[i][k], lowest_at = queries[i].x;
        }
    }
    EXPECT_LE(worst, near_tolerance) << "at x0 = " << worst_at;
    EXPECT_GE(lowest, -dip_tolerance) << "at x0 = " << lowest_at;
}

// The same ends scaled: sigma multiplies them, and a negative sigma
// mirrors the ratio and the interval.
TEST(NorvexAnswers, ScaleWithSigma) {
    std::vector<Query> queries;
    for (float sigma : {0.012f, 1e-30f, 7.5e20f, -1.0f, -0.3f})
        for (int i = 0; i <= 200; ++i) {
            const double r = near_range.from + (10.0 - near_range.from) * i / 200.0;
            queries.push_back({static_cast<float>(r * sigma), sigma});
        }
    const auto answers = norvex_answers(queries);
    ASSERT_EQ(answers.size(), queries.size());
    for (std::size_t i = 0; i < queries.size(); ++i) {
        const float r = queries[i].x / queries[i].sigma;
        const BeltRow exact = belt_row(r);
        const double sigma = queries[i].sigma;
        for (int k = 0; k < end_count; ++k)
            EXPECT_NEAR(answers[i][k] / sigma, exact[k], near_tolerance + 1e-6 * std::fabs(exact[k]))
                << queries[i].x << " " << sigma << " end " << k + 1;
    }
}

// From x / sigma = 10 up to the largest REAL every end is x -+ z sigma,
// printed to within 1e-6 of itself, lower below upper: log-spaced ratios
// at several sigmas, and measurements users type.
TEST(NorvexAnswers, FarRightExactUpToTheLargestReal) {
    std::vector<Query> queries{
        {80.377f, 0.012f}, {125.10f, 0.11f}, {1e6f, 1.0f},   {1.0f, 1e-30f},  {3e38f, 1.0f},
        {FLT_MAX, 1.0f},   {10.0f, 1.0f},    {1e-20f, 1e-21f}, {-80.377f, -0.012f}, {-1e30f, -1.0f},
    };
    for (float sigma : {1.0f, 0.012f, 3e-7f, 1e-30f, -2.5f})
        for (int i = 0; i <= 400; ++i) {
            const double r = 10.0 * std::pow(FLT_MAX / 10.0 / 4, i / 400.0);
            queries.push_back({static_cast<float>(r * sigma), sigma});
        }
    const auto answers = norvex_answers(queries);
    ASSERT_EQ(answers.size(), queries.size());
    for (std::size_t i = 0; i < queries.size(); ++i) {
        const double x = queries[i].x, sigma = queries[i].sigma;
        for (int k = 0; k < level_count; ++k) {
            const double z = belt_test::two_sided_z[k];
            const double lower = x - z * sigma, upper = x + z * sigma;
            EXPECT_LE(std::fabs(answers[i][2 * k] - lower), 1e-6 * std::fabs(lower)) << x << " " << sigma;
            EXPECT_LE(std::fabs(answers[i][2 * k + 1] - upper), 1e-6 * std::fabs(upper)) << x << " " << sigma;
            // Ordered as x and sigma are: a negative sigma mirrors them.
            EXPECT_GE((answers[i][2 * k + 1] - answers[i][2 * k]) * sigma, 0.0) << x << " " << sigma;
        }
    }
}

}  // namespace
