#pragma once

// The characters of the list-directed value being scanned. One text serves
// every statement in turn: it keeps the room of the longest value seen, so
// scanning allocates nothing once the run is under way. A value longer
// than any record holds is kept condensed (long_number.hpp), so that its
// length does not decide the memory the run takes.

#include <cstddef>
#include <vector>

#include "textio/long_number.hpp"

namespace textio {

struct ValueText {
    std::vector<char> chars;
    std::size_t size = 0;

    bool empty() const { return size == 0; }
    const char* data() const { return chars.data(); }
    void clear() {
        size = 0;
        room_ = chars.size();
        mode_ = Mode::whole;
    }
    void add(char c) {
        if (size == room_) add_beyond_room(c);
        else chars[size++] = c;
    }

private:
    // whole: every character is kept. number: the text is a long number,
    // kept condensed. settled: how the text reads is settled, and the
    // characters still to come change nothing.
    enum class Mode { whole, number, settled };

    void add_beyond_room(char c);
    void condense();
    void take_into_number(char c);

    std::size_t room_ = 0;   // characters go straight in up to here
    Mode mode_ = Mode::whole;
    LongNumber number_;
};

// The one text, shared by the statements one after another.
ValueText& value_text();

}  // namespace textio
