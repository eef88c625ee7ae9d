#include "textio/write_format.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

using Kind = textio::FormatPiece::Kind;

// The pieces of a format as a short string: "/" and "$" as themselves, a
// literal in brackets, "!" for a format that does not scan.
std::string pieces_of(std::string_view format) {
    textio::FormatScanner scanner(format);
    std::string out;
    for (;;) {
        const textio::FormatPiece piece = scanner.next();
        switch (piece.kind) {
        case Kind::slash: out += '/'; break;
        case Kind::dollar: out += '$'; break;
        case Kind::literal:
            out += '[';
            out.append(piece.text);
            out += ']';
            break;
        case Kind::end: return out;
        case Kind::invalid: return out + "!";
        }
    }
}

TEST(WriteFormat, ScansSlashesLiteralsAndDollarSigns) {
    const struct {
        const char* format;
        const char* pieces;
    } cases[] = {
        {"(/,' x,sigma(x) : ',$)", "/[ x,sigma(x) : ]$"},
        {"  ( / , $ )  ", "/$"},
        {"(//'a''b'$)", "//[a''b]$"},
        {"('(,)/$')", "[(,)/$]"},
        {"()", ""},
        {"(,,)", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(pieces_of(c.format), c.pieces) << c.format;
}

// These would not compile as a WriteFormat; the scanner says why.
TEST(WriteFormat, RejectsWhatItCannotCarryOut) {
    const struct {
        const char* format;
        const char* pieces;
    } cases[] = {
        {"", "!"},
        {"/)", "!"},
        {"(A72)", "!"},
        {"(/,I5)", "/!"},
        {"('open", "!"},
        {"('it''", "!"},
        {"(/", "/!"},
        {"(/) x", "/!"},
        {"(/))", "/!"},
    };
    for (const auto& c : cases) EXPECT_EQ(pieces_of(c.format), c.pieces) << c.format;
}

// The check happens while compiling: a valid format is a constant.
constexpr textio::WriteFormat prompt_format("(/,' x,sigma(x) : ',$)");
static_assert(prompt_format.text().size() == 22);

}  // namespace
