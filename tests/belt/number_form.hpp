#pragma once

// The form fcbelt writes its numbers in, which the program's reader
// takes: an optional minus, digits, a point, digits, and an exponent
// E+dd or E-dd only when there is one. (Checked by hand: std::regex draws
// false warnings from the sanitizer build.)

#include <cctype>
#include <string>

inline bool is_written_number(const std::string& text) {
    std::size_t i = 0;
    const auto digits = [&] {
        const std::size_t from = i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
        return i - from;
    };
    if (i < text.size() && text[i] == '-') ++i;
    if (digits() == 0 || i >= text.size() || text[i] != '.') return false;
    ++i;
    digits();
    if (i == text.size()) return true;
    if (text[i] != 'E' || i + 1 >= text.size() || (text[i + 1] != '+' && text[i + 1] != '-')) return false;
    i += 2;
    return digits() == 2 && i == text.size();
}
