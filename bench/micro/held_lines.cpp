#include "bench/micro/held_lines.hpp"

#include <fcntl.h>

#include <cstring>

#include "textio/fetch.hpp"

namespace bench {

textio::InputUnit unit_holding(const std::string& text, bool console) {
    const int fd = open("/dev/null", O_RDONLY | O_CLOEXEC);
    textio::InputUnit unit = textio::make_input_unit(
        fd, console ? "CON" : "bench", console ? textio::console_block : textio::table_block,
        console, false);
    textio::ensure_room(unit, text.size() + 1);
    std::memcpy(unit.buffer.data(), text.data(), text.size());
    unit.held = text.size();
    // A file unit delivers what it holds; the console unit finds its
    // lines itself, one per fetch.
    unit.end = console ? 0 : text.size();
    return unit;
}

}  // namespace bench
