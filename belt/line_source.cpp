#include "belt/line_source.hpp"

#include "textio/fd_ready.hpp"

#include <errno.h>
#include <unistd.h>

namespace fcbelt {

namespace {

constexpr std::size_t block_size = 1 << 16;

}  // namespace

// Appends one block to what is left of the data; false at the end of the
// input or when the read failed.
bool LineSource::fill() {
    data_.erase(0, start_);
    start_ = 0;
    const std::size_t kept = data_.size();
    data_.resize(kept + block_size);
    before_wait_();
    for (;;) {
        const ssize_t n = read(fd_, data_.data() + kept, block_size);
        if (n >= 0) {
            data_.resize(kept + static_cast<std::size_t>(n));
            return n > 0;
        }
        if (textio::would_block(errno)) {
            textio::wait_until_ready(fd_, POLLIN);
        } else if (errno != EINTR) {
            error_ = errno;
            data_.resize(kept);
            return false;
        }
    }
}

bool LineSource::next(Line& line) {
    line = {};
    std::size_t searched = start_;
    for (;;) {
        const std::size_t end = data_.find('\n', searched);
        if (end != std::string::npos) {
            if (!line.too_long) line.text = std::string_view(data_).substr(start_, end - start_);
            start_ = end + 1;
            return true;
        }
        if (data_.size() - start_ > longest_line) {
            // Past the limit: drop what there is and look for the line's end.
            line.too_long = true;
            start_ = data_.size();
        }
        const std::size_t scanned = data_.size() - start_;  // fill() moves the line to the front
        if (ended_ || !fill()) {
            ended_ = true;
            if (error_ != 0) return false;
            if (data_.size() == start_ && !line.too_long) return false;
            if (!line.too_long) line.text = std::string_view(data_).substr(start_);
            start_ = data_.size();
            return true;
        }
        searched = start_ + scanned;
    }
}

}  // namespace fcbelt
