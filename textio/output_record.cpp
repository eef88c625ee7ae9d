#include "textio/output_record.hpp"

#include <algorithm>

#include "textio/console_write.hpp"
#include "textio/run_state.hpp"

namespace textio {

// A record growing past one piece: what is full leaves as it fills.
void OutputRecord::place_in_pieces(std::string_view text) {
    append_blanks(pending_blanks);
    pending_blanks = 0;
    append(text.data(), text.size());
}

void OutputRecord::append(const char* bytes, std::size_t count) {
    while (count > 0) {
        make_room();
        const std::size_t n = std::min(count, piece_size - size_);
        std::memcpy(chars() + size_, bytes, n);
        size_ += n;
        bytes += n;
        count -= n;
    }
}

void OutputRecord::append_blanks(std::size_t count) {
    while (count > 0) {
        make_room();
        const std::size_t n = std::min(count, piece_size - size_);
        std::memset(chars() + size_, ' ', n);
        size_ += n;
        count -= n;
    }
}

// Only when more characters are coming: a record of exactly one piece
// still leaves whole when it ends.
void OutputRecord::make_room() {
    if (size_ < piece_size) return;
    if (handed_over_) {
        write_console_record(chars(), size_);
    } else {
        hand_over_first_piece();
    }
    size_ = 0;
}

void OutputRecord::hand_over_first_piece() {
    ConsoleLine& line = run_state().line;
    if (size_ == 0) chars()[size_++] = ' ';
    if (line.dollar_hold) {
        write_console_record(chars(), size_);
    } else {
        // The control character is not printed: its line break takes its
        // place in front of the rest.
        const std::string_view brk = line_break(chars()[0], line.open);
        char* start = chars() + 1 - brk.size();
        std::memcpy(start, brk.data(), brk.size());
        write_console_record(start, brk.size() + size_ - 1);
    }
    handed_over_ = true;
    line.open = true;
    line.dollar_hold = false;
}

void OutputRecord::write() {
    if (!handed_over_) {
        hand_over_first_piece();
    } else if (size_ > 0) {
        write_console_record(chars(), size_);
    }
    size_ = 0;
    handed_over_ = false;
}

}  // namespace textio
