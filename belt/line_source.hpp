#pragma once

// The lines of a file, a pipe or a terminal, read in large blocks with
// read(2), in as little memory as the longest line allowed needs.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace fcbelt {

// Longer lines are not kept: they come back empty, marked too long.
inline constexpr std::size_t longest_line = 1 << 20;

struct Line {
    std::string_view text;  // without its LF; valid until the next call
    bool too_long = false;
};

class LineSource {
public:
    // before_wait runs before every read request, when the input may make
    // the program wait: the time to hand on what is done so far.
    LineSource(int fd, std::function<void()> before_wait) : fd_(fd), before_wait_(std::move(before_wait)) {}

    // false at the end of the input, and when a read failed.
    bool next(Line& line);
    // The errno of the failed read, or 0.
    int error() const { return error_; }

private:
    bool fill();

    int fd_;
    std::function<void()> before_wait_;
    std::string data_;
    std::size_t start_ = 0;  // where the next line begins in data_
    bool ended_ = false;
    int error_ = 0;
};

}  // namespace fcbelt
