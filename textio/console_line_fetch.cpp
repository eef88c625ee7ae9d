#include <cstring>

#include "textio/fd_read.hpp"
#include "textio/fetch.hpp"

namespace textio {

namespace {

// As many bytes as a typed line may have: 130 characters and CR LF. A
// line that has not ended within them is longer than any typed line.
constexpr std::size_t typed_line_bytes = longest_typed_line + 2;

// Index of the first LF at or after from, or held when none has come yet.
std::size_t find_lf(const InputUnit& unit, std::size_t from) {
    const char* bytes = unit.buffer.data();
    const void* lf = std::memchr(bytes + from, '\n', unit.held - from);
    return lf == nullptr ? unit.held
                         : static_cast<std::size_t>(static_cast<const char*>(lf) - bytes);
}

// Moves the bytes not yet delivered to the front, so that the buffer
// never holds more than a typed line's worth and one block.
void drop_delivered(InputUnit& unit) {
    char* bytes = unit.buffer.data();
    const std::size_t kept = unit.held - unit.end;
    std::memmove(bytes, bytes + unit.end, kept);
    unit.position = unit.end = 0;
    unit.held = kept;
}

// One console block after the bytes held; false at the end of the input.
bool read_block(InputUnit& unit) {
    // A block, and one byte for the LF that completes a last line.
    ensure_room(unit, unit.held + unit.capacity + 1);
    const std::size_t n = read_request(unit.fd, unit.buffer.data() + unit.held, unit.capacity);
    if (n == 0) {
        unit.at_end_of_file = true;
        return false;
    }
    unit.held += n;
    return true;
}

// Reads on, a console block at a time, until the line not yet delivered
// has its LF, has outgrown a typed line, or the input has ended.
void gather_line(InputUnit& unit) {
    drop_delivered(unit);
    std::size_t searched = 0;
    while (unit.held < typed_line_bytes && read_block(unit)) {
        if (find_lf(unit, searched) != unit.held) return;
        searched = unit.held;
    }
}

// A line longer than a typed line is handed on as it comes, a block at a
// time, up to its LF; the input ending inside it ends it.
void fetch_rest_of_long_line(InputUnit& unit) {
    unit.position = unit.end = unit.held = 0;   // all of it has been delivered
    if (!read_block(unit)) {
        unit.buffer[unit.held++] = '\n';
        unit.record_open = false;
        unit.end = unit.held;
        return;
    }
    const std::size_t lf = find_lf(unit, 0);
    unit.record_open = lf == unit.held;
    unit.end = unit.record_open ? unit.held : lf + 1;
}

}  // namespace

// Whether a line ends the input depends on its last character, so a line
// short enough to have been typed is in hand whole before its first
// character is delivered; where the read requests happen to split the
// input then makes no difference. A longer line cannot have been typed:
// it is delivered as it comes, and a Ctrl+Z in it is an ordinary
// character, so memory does not grow with the length of a line.
void fetch_console_line(InputUnit& unit) {
    if (unit.record_open) {
        fetch_rest_of_long_line(unit);
        return;
    }
    const std::size_t start = unit.end;
    if (find_lf(unit, start) == unit.held && unit.held - start < typed_line_bytes) gather_line(unit);
    const std::size_t first = unit.end;   // the line's start, moved by the gathering
    if (first == unit.held) end_of_input(unit);
    const std::size_t lf = find_lf(unit, first);
    const bool has_lf = lf != unit.held;
    unit.position = first;
    if (!has_lf && !unit.at_end_of_file) {
        // Longer than a typed line, its end still to come.
        unit.record_open = true;
        unit.end = unit.held;
        return;
    }
    char* line = unit.buffer.data() + first;
    std::size_t size = has_lf ? lf + 1 - first : unit.held - first;
    const std::size_t text = text_end(line, size, has_lf);
    if (text > 0 && text <= longest_typed_line && line[text - 1] == ctrl_z) end_of_input(unit);
    if (!has_lf) {
        // The input ended inside this line: it counts whole.
        line[size++] = '\n';
        unit.held = first + size;
    }
    unit.end = first + size;
}

}  // namespace textio
