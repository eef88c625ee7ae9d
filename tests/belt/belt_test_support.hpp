#pragma once

// What several belt tests need: the bytes of a file, a command's exit
// status and output, and the normal distribution from std::erfc and
// printed tables, apart from the library the belt is computed with.

#include <sys/wait.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace belt_test {

inline std::string file_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

struct CommandRun {
    int status;  // the exit status, or -1 when the command did not exit
    std::string out;
};

// Runs command through the shell and collects its standard output.
inline CommandRun run_command(const std::string& command) {
    CommandRun result{-1, ""};
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return result;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) result.out.append(buffer, n);
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

// fcbelt with the given arguments; what it reports on standard error is
// dropped.
inline CommandRun run_fcbelt(const std::string& arguments) {
    return run_command(std::string(FCBELT_BIN) + " " + arguments + " 2>/dev/null");
}

inline double normal_cdf(double z) { return 0.5 * std::erfc(-z / std::sqrt(2.0)); }

// z(cl) for the four levels, in column order: where a lower end leaves zero.
inline constexpr double one_sided_z[] = {0.4752328492, 1.2815515655, 1.6448536270, 2.3263478740};
// z((1 + cl) / 2): the half width of a central interval.
inline constexpr double two_sided_z[] = {1.0, 1.6448536269514722, 1.959963984540054, 2.5758293035489004};

}  // namespace belt_test
