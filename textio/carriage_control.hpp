#pragma once

// Carriage control: the first character of an output record is not
// printed; it chooses the line break written in front of the rest.

#include <cstddef>
#include <string_view>

namespace textio {

// The longest line break: CR LF, form feed, CR, blank, CR.
inline constexpr std::size_t line_break_max = 6;

// The bytes that go before a record whose first character is `control`,
// given whether the console line is open. A blank, like every character
// without a meaning of its own, ends an open line and writes nothing on a
// fresh one, so the very first record starts at the top.
constexpr std::string_view line_break(char control, bool line_open) {
    switch (control) {
    case '0': return line_open ? "\r\n\r\n" : "\r\n";
    case '1': return "\r\n\f\r \r";
    case '+': return "\r";
    default: return line_open ? "\r\n" : "";
    }
}

}  // namespace textio
