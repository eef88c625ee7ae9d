#pragma once

// The console output record being assembled by a write statement, and its
// way out: when the record ends, its line break and its text go to
// standard output together, and the console line is left open.
//
// The record is built where it will be written from: its characters go
// straight into one buffer that has room for the line break in front of
// them, so ending it takes one write request and no copying.

#include <cstddef>
#include <cstring>
#include <string_view>

#include "textio/carriage_control.hpp"

namespace textio {

class OutputRecord {
public:
    // Past this many characters a record is handed over in pieces while it
    // grows; the bytes and their order are the same. No record of the
    // program comes near it.
    static constexpr std::size_t piece_size = 132;

    // Blanks owed in front of the next characters placed.
    std::size_t pending_blanks = 0;

    // Puts the pending blanks, then the text, into the record; no blanks
    // are owed afterwards. The only way characters enter a record.
    void place(std::string_view text) {
        const std::size_t added = pending_blanks + text.size();
        if (size_ + added > piece_size) return place_in_pieces(text);
        char* at = chars() + size_;
        std::memset(at, ' ', pending_blanks);
        std::memcpy(at + pending_blanks, text.data(), text.size());
        size_ += added;
        pending_blanks = 0;
    }

    // Ends the record: an empty one is a single blank. After a dollar sign
    // the whole record continues the held line; otherwise its first
    // character is carriage control. The record is empty again afterwards.
    void write();

private:
    void place_in_pieces(std::string_view text);
    void append(const char* bytes, std::size_t count);
    void append_blanks(std::size_t count);
    void make_room();
    void hand_over_first_piece();
    char* chars() { return buffer_ + line_break_max; }

    char buffer_[line_break_max + piece_size];
    std::size_t size_ = 0;       // characters held since the last piece left
    bool handed_over_ = false;   // a first piece of this record has left
};

}  // namespace textio
