#include "bench/micro/held_lines.hpp"

#include <fcntl.h>

#include <cstring>

#include "textio/fetch.hpp"

namespace bench {

std::string query_lines(std::size_t count) {
    static const char* const forms[] = {"1.2 0.5\n",         "3.25,0.7\n",
                                        "1.500000E+00 2.500E-01\n", "  0.125   4.0000\n",
                                        "-0.8371422, 3.12e-01\n",   "12.5 1.25\n",
                                        "0.03 0.015\n"};
    std::string text;
    for (std::size_t i = 0; i < count; ++i) text += forms[i % std::size(forms)];
    return text;
}

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
