#include "textio/value_text.hpp"

#include <algorithm>

#include "textio/stop.hpp"

namespace textio {

namespace {

// Longer than any value a typed line or a table record normally holds.
constexpr std::size_t usual_room = 260;
// A text this long is condensed rather than kept whole.
constexpr std::size_t longest_whole = 4096;

// Leading zeros of a digit group (at the start, after a leading plus sign,
// after a number sign) change neither a repeat count nor a number: all but
// one go. Returns the new size.
std::size_t without_leading_zeros(char* text, std::size_t size) {
    std::size_t kept = 0;
    bool in_leading_zeros = false;
    for (std::size_t i = 0; i < size; ++i) {
        const char c = text[i];
        const bool group_start = kept == 0 || text[kept - 1] == '#' ||
                                 (kept == 1 && text[0] == '+');
        if (c == '0' && in_leading_zeros) continue;
        in_leading_zeros = c == '0' && group_start;
        text[kept++] = c;
    }
    return kept;
}

}  // namespace

void ValueText::add_beyond_room(char c) {
    switch (mode_) {
    case Mode::whole:
        if (chars.size() < longest_whole) {
            allocate_or_stop([&] {
                chars.resize(chars.empty() ? usual_room : std::min(2 * chars.size(), longest_whole));
            });
            room_ = chars.size();
        } else {
            condense();
        }
        if (mode_ == Mode::number) take_into_number(c);
        else add(c);
        return;
    case Mode::number: take_into_number(c); return;
    case Mode::settled: return;
    }
}

// A long text that is no number (a repeat count, a quoted or parenthesised
// value, or none at all) reads the same however it goes on once its
// leading zeros are gone and it is still long: a repeat count that could
// still be valid is a few dozen characters at most.
void ValueText::condense() {
    if (number_.start(chars.data(), size)) {
        mode_ = Mode::number;
        size = number_.write(chars.data());
        room_ = size;
        return;
    }
    size = without_leading_zeros(chars.data(), size);
    if (size > longest_whole / 2) mode_ = Mode::settled;
    room_ = mode_ == Mode::settled ? size : chars.size();
}

// A text that stops being a number goes on whole from its condensed form,
// which reads as the whole text would.
void ValueText::take_into_number(char c) {
    switch (number_.take(c)) {
    case LongNumber::Step::same: return;
    case LongNumber::Step::changed:
        size = number_.write(chars.data());
        room_ = size;
        return;
    case LongNumber::Step::dead:
        mode_ = Mode::whole;
        room_ = chars.size();
        add(c);
        return;
    }
}

ValueText& value_text() {
    static ValueText text;
    return text;
}

}  // namespace textio
