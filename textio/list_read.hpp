#pragma once

// A list-directed read statement of REAL items: values set apart by
// commas, blanks or record ends, with nulls, a slash that ends the list,
// repeat counts, and values that go on across records.

#include <cstdint>

#include "textio/input_unit.hpp"
#include "textio/value_text.hpp"

namespace textio {

class ListRead {
public:
    // Begins the statement: records READ and the unit's name for a stop,
    // and in the shared console starts the console read.
    explicit ListRead(InputUnit& unit);

    // Scans one value for the item and stores it; a null or an ended
    // list leaves the item as it was.
    void item(float& value);

    // The usual query line in one pass: two plain values (no repeat
    // count, quote, parenthesis or slash in them) set apart by blanks or
    // a comma, at the start of the statement, with the line's end in
    // hand. Stores, stops and finishes records exactly as item() twice
    // would; returns false, having consumed nothing, for any other line,
    // which item() then scans.
    bool two_plain_values(float& first, float& second);

    // Ends the statement at the end of its record.
    void finish();

private:
    enum class Separator { comma, blank, slash, other };
    enum class Form { plain, parenthesised, quoted };

    void scan_value();
    bool blank_ends_value() const;
    void take_repeat_count();
    void close_quoted(char after);
    void store(float& value) const;

    InputUnit& unit_;
    ValueText& text_;                     // kept while a repeat is pending
    Separator last_ = Separator::comma;   // what ended the previous value or null
    std::uint32_t pending_ = 0;           // further items the repeat count still covers
    bool record_end_ = false;             // the last value was ended by its record's end
    bool repeat_read_ = false;            // the value being scanned has a repeat count
    Form form_ = Form::plain;
    char quote_ = '\0';                   // the mark that closes a quoted value
};

}  // namespace textio
