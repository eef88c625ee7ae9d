#pragma once

// The characters of the list-directed value being scanned. One text serves
// every statement in turn: it keeps the room of the longest value seen, so
// scanning allocates nothing once the run is under way.

#include <cstddef>
#include <vector>

namespace textio {

struct ValueText {
    std::vector<char> chars;
    std::size_t size = 0;

    bool empty() const { return size == 0; }
    const char* data() const { return chars.data(); }
    void clear() { size = 0; }
    void add(char c) {
        if (size == chars.size()) grow();
        chars[size++] = c;
    }

    // Makes room for more; no memory stops the run.
    void grow();
};

// The one text, shared by the statements one after another.
ValueText& value_text();

}  // namespace textio
