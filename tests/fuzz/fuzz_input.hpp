#pragma once

// What the fuzz targets share: the input as a file, and stops that come
// back to the target instead of ending the process.

#include <sys/mman.h>
#include <unistd.h>

#include <cfenv>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "textio/fp_env.hpp"
#include "textio/stop.hpp"

namespace fuzz {

struct Stopped {
    char class_letter;
    int number;
};

[[noreturn]] inline void throw_stop(char class_letter, int number) { throw Stopped{class_letter, number}; }

// The bytes as a file of their own, read from its start: the units read
// it with read(2) exactly as they read a table file or redirected input.
class InputFile {
public:
    InputFile(const std::uint8_t* data, std::size_t size) : fd_(memfd_create("fuzz-input", 0)) {
        std::size_t done = 0;
        while (done < size) {
            const ssize_t n = write(fd_, data + done, size - done);
            if (n <= 0) __builtin_trap();
            done += static_cast<std::size_t>(n);
        }
        lseek(fd_, 0, SEEK_SET);
    }
    ~InputFile() { close(fd_); }
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

// The program reads with invalid operation, division by zero and
// overflow trapping; a trap inside reading would kill the target here
// (SIGFPE), which the fuzzer reports as a crash.
class ArmedTraps {
public:
    ArmedTraps() { feenableexcept(textio::trapped_fp_exceptions); }
    ~ArmedTraps() {
        fedisableexcept(FE_ALL_EXCEPT);
        std::feclearexcept(FE_ALL_EXCEPT);
    }
};

// A value that was read is a number: never an infinity or a NaN.
inline void check_value(float v) {
    if (!std::isfinite(v)) __builtin_trap();
}

// Only the stops of reading can come out of a read statement.
inline void check_read_stop(const Stopped& s) {
    if (s.class_letter != 'F') __builtin_trap();
    switch (static_cast<textio::IoStop>(s.number)) {
    case textio::IoStop::repeat_count_overflow:
    case textio::IoStop::invalid_repeat_count:
    case textio::IoStop::real_conversion_overflow:
    case textio::IoStop::invalid_real:
    case textio::IoStop::real_out_of_range:
    case textio::IoStop::radix_second_number_sign:
    case textio::IoStop::radix_base_out_of_range:
    case textio::IoStop::end_of_file:
    case textio::IoStop::zero_repeat_count:
    case textio::IoStop::second_repeat_count:
    case textio::IoStop::wrong_kind_of_value: return;
    default: __builtin_trap();
    }
}

}  // namespace fuzz
