#pragma once

// A list-directed read statement of REAL items: values set apart by
// commas, blanks or record ends, with nulls, a slash that ends the list,
// repeat counts, and values that go on across records.

#include "textio/input_unit.hpp"

namespace textio {

class ListRead {
public:
    // Begins the statement: records READ and the unit's name for a stop,
    // and in the shared console starts the console read.
    explicit ListRead(InputUnit& unit);

    // Scans one value for the item and stores it; a null or an ended
    // list leaves the item as it was.
    void item(float& value);

    // Ends the statement at the end of its record.
    void finish();

private:
    // scanning state of the statement (see list_read.cpp)
};

}  // namespace textio
