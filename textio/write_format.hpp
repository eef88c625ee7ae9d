#pragma once

// The format of a formatted console write with no items, read piece by
// piece: "/" ends a record, a quoted literal is placed as it stands ('' in
// it is one apostrophe), "$" keeps the line open for the reply. Commas and
// blanks between pieces only separate them.
//
// A format is program text, so it is checked when the program is
// compiled: a format with anything else in it does not build.

#include <cstddef>
#include <string_view>

namespace textio {

struct FormatPiece {
    enum class Kind { slash, literal, dollar, end, invalid };
    Kind kind;
    std::string_view text;   // a literal's characters, apostrophes still doubled
};

class FormatScanner {
public:
    constexpr explicit FormatScanner(std::string_view format) : rest_(format) {
        skip_blanks();
        opened_ = !rest_.empty() && rest_.front() == '(';
        if (opened_) rest_.remove_prefix(1);
    }

    constexpr FormatPiece next() {
        if (!opened_) return {FormatPiece::Kind::invalid, {}};
        skip_separators();
        if (rest_.empty()) return {FormatPiece::Kind::invalid, {}};
        switch (rest_.front()) {
        case ')': return close();
        case '/': return single(FormatPiece::Kind::slash);
        case '$': return single(FormatPiece::Kind::dollar);
        case '\'': return literal();
        default: return {FormatPiece::Kind::invalid, {}};
        }
    }

private:
    constexpr void skip_blanks() {
        while (!rest_.empty() && rest_.front() == ' ') rest_.remove_prefix(1);
    }

    constexpr void skip_separators() {
        while (!rest_.empty() && (rest_.front() == ' ' || rest_.front() == ',')) rest_.remove_prefix(1);
    }

    constexpr FormatPiece single(FormatPiece::Kind kind) {
        rest_.remove_prefix(1);
        return {kind, {}};
    }

    // Only blanks may follow the closing parenthesis.
    constexpr FormatPiece close() {
        rest_.remove_prefix(1);
        skip_blanks();
        opened_ = false;
        return {rest_.empty() ? FormatPiece::Kind::end : FormatPiece::Kind::invalid, {}};
    }

    constexpr FormatPiece literal() {
        std::size_t i = 1;
        while (i < rest_.size()) {
            if (rest_[i] != '\'') {
                ++i;
            } else if (i + 1 < rest_.size() && rest_[i + 1] == '\'') {
                i += 2;
            } else {
                const std::string_view text = rest_.substr(1, i - 1);
                rest_.remove_prefix(i + 1);
                return {FormatPiece::Kind::literal, text};
            }
        }
        return {FormatPiece::Kind::invalid, {}};
    }

    std::string_view rest_;
    bool opened_ = false;
};

// Reached only while compiling a format that does not scan; being no
// constant expression, it makes the compiler reject the call.
void invalid_write_format();

// A format checked at compile time, and scanned there once: a write
// statement only carries out its pieces. Converts from a string literal.
class WriteFormat {
public:
    // More pieces than this do not build; the program's format has four.
    static constexpr std::size_t max_pieces = 16;

    consteval WriteFormat(const char* text) : text_(text) {
        FormatScanner scanner(text_);
        for (;;) {
            const FormatPiece piece = scanner.next();
            if (piece.kind == FormatPiece::Kind::end) break;
            if (piece.kind == FormatPiece::Kind::invalid || count_ == max_pieces) invalid_write_format();
            pieces_[count_++] = piece;
        }
    }

    constexpr std::string_view text() const { return text_; }

    // The slashes, literals and dollar signs, left to right.
    constexpr const FormatPiece* begin() const { return pieces_; }
    constexpr const FormatPiece* end() const { return pieces_ + count_; }

private:
    std::string_view text_;
    FormatPiece pieces_[max_pieces] = {};
    std::size_t count_ = 0;
};

}  // namespace textio
