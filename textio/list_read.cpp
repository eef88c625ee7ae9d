#include "textio/list_read.hpp"

#include <cstring>

#include "textio/real_from_text.hpp"
#include "textio/repeat_count.hpp"
#include "textio/run_state.hpp"
#include "textio/stop.hpp"

namespace textio {

ListRead::ListRead(InputUnit& unit) : unit_(unit), text_(value_text()) {
    start_read_statement(unit);
}

void ListRead::item(float& value) {
    if (last_ == Separator::slash && pending_ == 0) return;
    if (pending_ > 0) {
        --pending_;
    } else {
        scan_value();
    }
    store(value);
}

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }

// What a plain value may hold: nothing that ends a value, starts a record
// end, or gives it another form or a repeat count.
bool is_plain(char c) {
    switch (c) {
    case ' ':
    case '\t':
    case '\r':
    case '\n':
    case ',':
    case '/':
    case '*':
    case '(':
    case ')':
    case '\'':
    case '"': return false;
    default: return true;
    }
}

}  // namespace

bool ListRead::two_plain_values(float& first, float& second) {
    if (unit_.position >= unit_.end) fetch(unit_);   // as the first character wanted would
    const char* const line = unit_.buffer.data();
    const std::size_t end = unit_.end;
    auto skip = [&](std::size_t i, bool (*in)(char)) {
        while (i < end && in(line[i])) ++i;
        return i;
    };

    const std::size_t first_begin = skip(unit_.position, is_blank);
    const std::size_t first_end = skip(first_begin, is_plain);
    std::size_t i = skip(first_end, is_blank);
    if (i < end && line[i] == ',') {
        i = skip(i + 1, is_blank);
    } else if (i == first_end) {
        return false;   // no blank or comma after the first value
    }
    const std::size_t second_begin = i;
    const std::size_t second_end = skip(second_begin, is_plain);
    if (first_end == first_begin || second_end == second_begin || second_end == end) return false;
    const char after = line[second_end];
    if (!is_blank(after) && after != ',' && after != '/' && after != '\r' && after != '\n') return false;
    // A record end must be in hand whole, so that finishing the record
    // before the second value is stored fetches nothing and leaves the
    // value's characters where they are.
    if (after == '\r' && std::memchr(line + second_end, '\n', end - second_end) == nullptr) return false;

    // The first value is stored when it ends, before anything after it is
    // looked at by the general scan: a stop for it comes first.
    first = real_from_text(line + first_begin, first_end - first_begin);
    if (after == '\r' || after == '\n') {
        // Ended by the record end: the record is finished before the value
        // is stored, as the general scan does.
        unit_.position = second_end;
        finish_record(unit_);
        record_end_ = true;
    } else {
        unit_.position = second_end + 1;   // its separator is consumed
    }
    second = real_from_text(line + second_begin, second_end - second_begin);
    return true;
}

void ListRead::finish() {
    if (!record_end_) finish_record(unit_);
    end_statement();
}

void ListRead::store(float& value) const {
    if (text_.empty()) return;  // a null, of whatever form
    if (form_ != Form::plain) io_stop(IoStop::wrong_kind_of_value);
    value = real_from_text(text_.data(), text_.size);
}

// Blanks before a value (and blank records) are passed over, and so are
// blanks inside parentheses; anywhere else a blank ends the value.
bool ListRead::blank_ends_value() const {
    if (text_.empty() && !repeat_read_) return false;
    return form_ != Form::parenthesised;
}

void ListRead::take_repeat_count() {
    if (repeat_read_) io_stop(IoStop::second_repeat_count);
    const std::uint32_t count = repeat_count(text_.data(), text_.size);
    if (count == 0) io_stop(IoStop::zero_repeat_count);
    pending_ = count - 1;
    repeat_read_ = true;
    text_.clear();
}

// The character after a closing mark is the separator that ended the
// value; a record end is left for the next value, where it counts as a
// blank.
void ListRead::close_quoted(char after) {
    switch (after) {
    case '\r':
    case '\n':
        put_back(unit_);
        last_ = Separator::blank;
        return;
    case ' ':
    case '\t': last_ = Separator::blank; return;
    case ',': last_ = Separator::comma; return;
    case '/': last_ = Separator::slash; return;
    default: last_ = Separator::other; return;
    }
}

void ListRead::scan_value() {
    text_.clear();
    form_ = Form::plain;
    repeat_read_ = false;
    record_end_ = false;
    for (;;) {
        const char c = next_char(unit_);
        if (c == '\r' || c == '\n') {
            put_back(unit_);
            finish_record(unit_);
            if (form_ == Form::quoted) {
                next_char(unit_);  // a quoted value goes on after the next record's first character
                continue;
            }
            if (!blank_ends_value()) continue;
            last_ = Separator::blank;
            record_end_ = true;
            return;
        }
        if (form_ == Form::quoted) {
            if (c != quote_) {
                text_.add(c);
                continue;
            }
            const char after = next_char(unit_);
            if (after == quote_) {
                text_.add(c);  // a doubled mark stands for one
                continue;
            }
            close_quoted(after);
            return;
        }
        switch (c) {
        case ' ':
        case '\t':
            if (!blank_ends_value()) continue;
            last_ = Separator::blank;
            return;
        case '(':
            if (!text_.empty()) break;
            form_ = Form::parenthesised;
            continue;
        case ')':
            if (form_ != Form::parenthesised) break;
            last_ = Separator::blank;
            return;
        case '\'':
        case '"':
            if (!text_.empty()) break;
            form_ = Form::quoted;
            quote_ = c;
            continue;
        case '*': take_repeat_count(); continue;
        case ',':
            // Blanks and a comma after them make one separator.
            if (text_.empty() && !repeat_read_ && last_ == Separator::blank) {
                last_ = Separator::comma;
                continue;
            }
            if (form_ == Form::parenthesised) break;
            last_ = Separator::comma;
            return;
        case '/': last_ = Separator::slash; return;
        default: break;
        }
        text_.add(c);
    }
}

}  // namespace textio
