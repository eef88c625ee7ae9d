#pragma once

// Runs the built fcgauss as a script does: arguments, standard input from
// bytes (or closed), standard output and error collected (or standard
// output closed, or sent to a given path), and how it ended.

#include <string>
#include <vector>

namespace fcgauss_test {

struct Outcome {
    int status = -1;  // exit status, or -1 when ended by a signal
    std::string out;
    std::string err;
};

struct Streams {
    std::string input;
    bool close_input = false;
    bool close_output = false;
    std::string output_path;  // when set: standard output goes there, not collected
};

inline Streams input(std::string bytes) {
    Streams s;
    s.input = std::move(bytes);
    return s;
}
inline Streams closed_input() {
    Streams s;
    s.close_input = true;
    return s;
}
inline Streams closed_output() {
    Streams s;
    s.close_output = true;
    return s;
}
inline Streams output_to(std::string path) {
    Streams s;
    s.output_path = std::move(path);
    return s;
}

Outcome run_fcgauss(const std::vector<std::string>& args, const Streams& streams = {});

// A file in a fresh scratch directory, with the given bytes.
std::string scratch_file(const std::string& name, const std::string& bytes);

// The lines of a text, without their LF.
std::vector<std::string> lines_of(const std::string& text);

// The rows of csv output after its header, split at commas, as doubles.
std::vector<std::vector<double>> csv_rows(const std::string& csv);

}  // namespace fcgauss_test
