#pragma once

// Input records: bytes from a source, delivered one character at a time,
// in records that end at LF (CR LF or a lone LF; a last record without LF
// counts whole).

#include <cstddef>
#include <vector>

namespace textio {

struct InputUnit {
    int fd = -1;
    const char* name = "";          // named in stop reports: "CON" or the file name
    std::size_t capacity = 0;       // bytes asked for in one read request
    bool console = false;           // standard input: the console rules apply
    bool terminal = false;          // console on a terminal: one typed line per read
    std::vector<char> buffer;       // bytes fetched and not yet passed
    std::size_t position = 0;       // next character to deliver
    std::size_t end = 0;            // bytes held in the buffer
    bool at_end_of_file = false;
};

// The console unit (standard input, 132-byte read blocks).
InputUnit& console_unit();

// Next character of the current record; CR and LF come like any other
// byte (the caller treats either as the end of the record). Stops with
// end of file, read failure or console line too long.
char next_char(InputUnit& unit);

// Leaves the character just delivered to be delivered again.
void put_back(InputUnit& unit);

// Skips the rest of the current record, up to and including its LF; on a
// terminal, drops the rest of the typed line.
void finish_record(InputUnit& unit);

}  // namespace textio
