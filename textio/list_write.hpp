#pragma once

// A list-directed write statement on the console: CHARACTER constants as
// they stand, REAL values right-justified in fields of 15 columns, 16 after
// another REAL so that a blank always separates two numbers.

#include <cstddef>
#include <string_view>

#include "textio/output_record.hpp"

namespace textio {

class ListWrite {
public:
    // Begins the statement with a fresh record and its leading blank.
    ListWrite();

    // A CHARACTER constant of exactly this length, blanks included.
    void character(std::string_view constant);

    // A REAL item.
    void real(float value);

    // Ends the statement, writing its record.
    void end();

private:
    // Columns a record offers after its leading blank.
    static constexpr std::size_t record_room = 79;

    void begin_record();
    void continue_record();

    OutputRecord record_;
    std::size_t room_ = record_room;
    bool after_real_ = false;   // a REAL was placed since the record or the last CHARACTER began
};

}  // namespace textio
