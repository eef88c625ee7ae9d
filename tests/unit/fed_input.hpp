#pragma once

// Input units over bytes that a test gives: a pipe for the console (its
// writer closed, so the bytes end as redirected input does) and a memory
// file for the table file.

#include <sys/mman.h>
#include <unistd.h>

#include <string>
#include <string_view>
#include <vector>

#include "textio/input_unit.hpp"
#include "textio/list_read.hpp"

namespace textio_test {

enum class Source { console, table };

inline constexpr const char* unit_name(Source source) {
    return source == Source::console ? "CON" : "fc_tab10.dat";
}

// The report line of a read that stops, as a death-test pattern.
inline std::string read_stop(int number, Source source = Source::console) {
    return "run-time error F" + std::to_string(number) + ": READ\\(" + unit_name(source) + "\\)";
}

inline void write_all(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = write(fd, bytes.data(), bytes.size());
        if (n <= 0) return;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

class FedInput {
public:
    // Pipes hold 64 KiB; longer console input comes from a memory file,
    // read through the same console rules.
    FedInput(std::string_view bytes, Source source = Source::console) {
        if (source == Source::console && bytes.size() <= pipe_room) {
            int ends[2];
            if (pipe(ends) != 0) return;
            write_all(ends[1], bytes);
            close(ends[1]);
            fd_ = ends[0];
            unit_ = textio::make_input_unit(fd_, unit_name(source), textio::console_block, true, false);
        } else {
            fd_ = memfd_create("input", 0);
            write_all(fd_, bytes);
            lseek(fd_, 0, SEEK_SET);
            const bool console = source == Source::console;
            unit_ = textio::make_input_unit(fd_, unit_name(source),
                                            console ? textio::console_block : textio::table_block,
                                            console, false);
        }
    }
    ~FedInput() {
        if (fd_ >= 0) close(fd_);
    }
    FedInput(const FedInput&) = delete;
    FedInput& operator=(const FedInput&) = delete;

    textio::InputUnit& unit() { return unit_; }

private:
    static constexpr std::size_t pipe_room = 65536;
    int fd_ = -1;
    textio::InputUnit unit_;
};

// What every item holds before a statement, so that one left unchanged
// shows.
inline constexpr float unchanged = -99.0f;

// One list-directed read statement of `count` items.
inline std::vector<float> read_items(textio::InputUnit& unit, std::size_t count) {
    std::vector<float> items(count, unchanged);
    textio::ListRead statement(unit);
    for (float& item : items) statement.item(item);
    statement.finish();
    return items;
}

inline std::vector<float> read_pair(textio::InputUnit& unit) { return read_items(unit, 2); }

}  // namespace textio_test
