#include <cstring>

#include "textio/fd_read.hpp"
#include "textio/fetch.hpp"

namespace textio {

namespace {

// Index of the first LF at or after from, or held when none has come yet.
std::size_t find_lf(const InputUnit& unit, std::size_t from) {
    const char* bytes = unit.buffer.data();
    const void* lf = std::memchr(bytes + from, '\n', unit.held - from);
    return lf == nullptr ? unit.held
                         : static_cast<std::size_t>(static_cast<const char*>(lf) - bytes);
}

// Moves the bytes not yet delivered to the front, so that the buffer only
// grows for a line longer than any before it.
void drop_delivered(InputUnit& unit) {
    char* bytes = unit.buffer.data();
    const std::size_t kept = unit.held - unit.end;
    std::memmove(bytes, bytes + unit.end, kept);
    unit.position = unit.end = 0;
    unit.held = kept;
}

// Reads on, a console block at a time, until the held bytes contain an LF
// or the input has ended.
void gather_line(InputUnit& unit) {
    for (;;) {
        // A block, and one byte for the LF that completes a last line.
        ensure_room(unit, unit.held + unit.capacity + 1);
        const std::size_t searched = unit.held;
        const std::size_t n = read_request(unit.fd, unit.buffer.data() + unit.held, unit.capacity);
        if (n == 0) {
            unit.at_end_of_file = true;
            return;
        }
        unit.held += n;
        if (find_lf(unit, searched) != unit.held) return;
    }
}

}  // namespace

// Whether a line ends the input depends on its last character, so the
// whole line is in hand before its first character is delivered; where
// the read requests happen to split the input then makes no difference.
void fetch_console_line(InputUnit& unit) {
    if (find_lf(unit, unit.end) == unit.held) {
        drop_delivered(unit);
        gather_line(unit);
    }
    const std::size_t start = unit.end;
    if (start == unit.held) end_of_input(unit);
    const std::size_t lf = find_lf(unit, start);
    const bool has_lf = lf != unit.held;
    char* line = unit.buffer.data() + start;
    std::size_t size = has_lf ? lf + 1 - start : unit.held - start;
    const std::size_t text = text_end(line, size, has_lf);
    if (text > 0 && line[text - 1] == ctrl_z) end_of_input(unit);
    if (!has_lf) {
        // The input ended inside this line: it counts whole.
        line[size++] = '\n';
        unit.held = start + size;
    }
    unit.position = start;
    unit.end = start + size;
}

}  // namespace textio
