#include "fcgauss_run.hpp"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace fcgauss_test {

namespace {

std::string scratch_path(const std::string& name) {
    static std::atomic<int> counter{0};
    return ::testing::TempDir() + "fcgauss_" + std::to_string(getpid()) + "_" + std::to_string(counter++) + "_" + name;
}

std::string bytes_of(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace

std::string scratch_file(const std::string& name, const std::string& bytes) {
    const std::string path = scratch_path(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

Outcome run_fcgauss(const std::vector<std::string>& args, const Streams& streams) {
    const std::string in = scratch_file("in", streams.input);
    const std::string out = streams.output_path.empty() ? scratch_path("out") : streams.output_path;
    const std::string err = scratch_path("err");
    std::vector<char*> argv{const_cast<char*>(FCGAUSS_BIN)};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    const pid_t pid = fork();
    if (pid == 0) {
        const int in_fd = open(in.c_str(), O_RDONLY);
        const int out_fd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err_fd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(in_fd, 0);
        dup2(out_fd, 1);
        dup2(err_fd, 2);
        for (int fd : {in_fd, out_fd, err_fd}) close(fd);
        if (streams.close_input) close(0);
        if (streams.close_output) close(1);
        execv(FCGAUSS_BIN, argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    Outcome outcome;
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (streams.output_path.empty()) outcome.out = bytes_of(out);
    outcome.err = bytes_of(err);
    for (const std::string& path : {in, out, err})
        if (path != streams.output_path) unlink(path.c_str());
    return outcome;
}

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::vector<std::vector<double>> csv_rows(const std::string& csv) {
    std::vector<std::vector<double>> rows;
    const auto lines = lines_of(csv);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        std::vector<double> row;
        std::istringstream fields(lines[i]);
        for (std::string field; std::getline(fields, field, ',');) row.push_back(std::strtod(field.c_str(), nullptr));
        rows.push_back(row);
    }
    return rows;
}

}  // namespace fcgauss_test
