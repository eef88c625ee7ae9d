// What fcgauss answers: the known values of the belt, the rows of the
// table fcbelt writes, and the same numbers in each output format.

#include "../belt/known_values.hpp"
#include "fcgauss_run.hpp"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace fcgauss_test;

TEST(FcgaussValues, KnownValuesAtTheFourLevels) {
    const std::vector<std::string> args{"--format", "csv", "-3", "1", "0", "1", "1", "1", "2", "1", "3.1", "1"};
    const Outcome r = run_fcgauss(args);
    ASSERT_EQ(r.status, 0) << r.err;
    const auto rows = csv_rows(r.out);
    ASSERT_EQ(rows.size(), 5u * 4);
    const double levels[] = {std::erf(1 / std::sqrt(2.0)), 0.9, 0.95, 0.99};
    for (const belt_test::KnownInterval& k : belt_test::known_intervals) {
        bool found = false;
        for (const auto& row : rows) {
            if (row[0] != k.x0 || row[2] != levels[k.level]) continue;
            found = true;
            EXPECT_EQ(row[1], 1.0);
            EXPECT_NEAR(row[3], k.lower, belt_test::known_tolerance) << "x0=" << k.x0 << " level " << k.level;
            EXPECT_NEAR(row[4], k.upper, belt_test::known_tolerance) << "x0=" << k.x0 << " level " << k.level;
        }
        EXPECT_TRUE(found) << "x0=" << k.x0 << " level " << k.level;
    }
}

// The shipped table holds the exact belt at its 62 grid values, each end
// rounded once to single precision: fcgauss's double must round to the
// same REAL, or lie within rounding of the halfway point between two.
TEST(FcgaussValues, AgreesWithTheRowsOfFcbeltsTable) {
    std::ifstream table(NORVEX_SHIPPED_TABLE);
    std::string line, queries;
    std::vector<std::vector<float>> rows;
    for (int i = 0; std::getline(table, line); ++i) {
        if (i < 7) continue;  // the header
        std::istringstream words(line);
        std::vector<float> row;
        for (std::string word; words >> word;) row.push_back(std::strtof(word.c_str(), nullptr));
        ASSERT_EQ(row.size(), 9u) << line;
        rows.push_back(row);
        char x0[32];
        *std::to_chars(x0, x0 + sizeof x0, double(row[0])).ptr = '\0';
        queries += std::string(x0) + " 1\n";
    }
    ASSERT_EQ(rows.size(), 62u);

    const Outcome r = run_fcgauss({"--format", "csv", "-f", scratch_file("grid.txt", queries)});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto answers = csv_rows(r.out);
    ASSERT_EQ(answers.size(), rows.size() * 4);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        for (int k = 0; k < 8; ++k) {
            const auto& answer = answers[4 * i + k / 2];
            ASSERT_EQ(answer[0], double(rows[i][0]));
            const double exact = answer[3 + k % 2];
            const float entry = rows[i][1 + k];
            const double half_ulp = 0.5 * (std::nextafter(entry, INFINITY) - entry);
            EXPECT_LE(std::fabs(exact - entry), half_ulp * (1 + 1e-6) + 1e-300)
                << "x0=" << rows[i][0] << " column " << k + 2 << ": " << exact << " vs " << entry;
        }
    }
}

// The same measurements in the three formats carry the same doubles, and
// each number is the shortest text that reads back to its double.
TEST(FcgaussValues, FormatsCarryTheSameShortestNumbers) {
    const std::vector<std::string> pairs{"1.2", "0.5", "-0.3", "1", "4.5", "0.8", "-1e6", "3", "1e300", "2"};
    const auto with_format = [&](const std::string& format) {
        std::vector<std::string> args{"--cl", "68.27%,0.999", "--format", format};
        args.insert(args.end(), pairs.begin(), pairs.end());
        const Outcome r = run_fcgauss(args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, "");
        return r.out;
    };
    const std::string csv = with_format("csv");
    const std::string json = with_format("json");
    const std::string text = with_format("text");

    const auto csv_lines = lines_of(csv);
    ASSERT_EQ(csv_lines.size(), 1u + 5 * 2);
    EXPECT_EQ(csv_lines[0], "x,sigma,cl,lower,upper");
    EXPECT_EQ(csv_lines[1].substr(0, 16), "1.2,0.5,0.6827,0");
    EXPECT_EQ(csv_lines[9], "1e+300,2,0.6827,1e+300,1e+300");

    // json: one array, an object per line with the csv row's texts.
    const auto json_lines = lines_of(json);
    ASSERT_EQ(json_lines.size(), 2u + 5 * 2);
    EXPECT_EQ(json_lines.front(), "[");
    EXPECT_EQ(json_lines.back(), "]");
    for (std::size_t i = 1; i + 1 < json_lines.size(); ++i) {
        std::vector<std::string> fields;
        std::istringstream row(csv_lines[i]);
        for (std::string f; std::getline(row, f, ',');) fields.push_back(f);
        const std::string want = "{\"x\":" + fields[0] + ",\"sigma\":" + fields[1] + ",\"cl\":" + fields[2] +
                                 ",\"lower\":" + fields[3] + ",\"upper\":" + fields[4] + "}" +
                                 (i + 2 < json_lines.size() ? "," : "");
        EXPECT_EQ(json_lines[i], want);
        for (const std::string& f : fields) {
            const double v = std::strtod(f.c_str(), nullptr);
            char shortest[32];
            *std::to_chars(shortest, shortest + sizeof shortest, v).ptr = '\0';
            EXPECT_EQ(f, shortest);
        }
    }

    // text: a block per measurement (its x and sigma, the column heads, a
    // row per level), blocks apart by an empty line, the columns lined up.
    const auto text_lines = lines_of(text);
    ASSERT_EQ(text_lines.size(), 5u * 5 - 1);
    EXPECT_EQ(text_lines[0], "x = 1.2, sigma = 0.5");
    EXPECT_EQ(text_lines[1], "  cl                       lower                     upper");
    const std::size_t lower_at = text_lines[1].find("lower"), upper_at = text_lines[1].find("upper");
    for (std::size_t b = 0; b < 5; ++b) {
        for (std::size_t k = 0; k < 2; ++k) {
            const std::string& row = text_lines[5 * b + 2 + k];
            std::vector<std::string> fields;
            std::istringstream csv_row(csv_lines[1 + 2 * b + k]);
            for (std::string f; std::getline(csv_row, f, ',');) fields.push_back(f);
            EXPECT_EQ(row.substr(2, fields[2].size()), fields[2]) << row;
            EXPECT_EQ(row.substr(lower_at, fields[3].size() + 1), fields[3] + " ") << row;
            EXPECT_EQ(row.substr(upper_at), fields[4]) << row;
        }
    }
    EXPECT_EQ(text_lines[15], "x = -1e+06, sigma = 3");
    EXPECT_EQ(text_lines[14], "");
}

}  // namespace
