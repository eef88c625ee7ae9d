#include "textio/formatted_write.hpp"

#include "textio/output_record.hpp"
#include "textio/run_state.hpp"

namespace textio {

void invalid_write_format() {}

namespace {

// A doubled apostrophe stands for one.
void place_literal(OutputRecord& record, std::string_view text) {
    for (std::size_t quote = text.find("''"); quote != std::string_view::npos;
         quote = text.find("''")) {
        record.place(text.substr(0, quote + 1));
        text.remove_prefix(quote + 2);
    }
    record.place(text);
}

}  // namespace

void formatted_write(const WriteFormat& format) {
    begin_statement(StatementWord::write, console_name);
    OutputRecord record;
    bool hold = false;
    for (const FormatPiece& piece : format) {
        switch (piece.kind) {
        case FormatPiece::Kind::slash: record.write(); break;
        case FormatPiece::Kind::literal: place_literal(record, piece.text); break;
        case FormatPiece::Kind::dollar: hold = true; break;
        case FormatPiece::Kind::end:
        case FormatPiece::Kind::invalid: break;   // never among the pieces
        }
    }
    record.write();
    if (hold) run_state().line.dollar_hold = true;
    end_statement();
}

}  // namespace textio
