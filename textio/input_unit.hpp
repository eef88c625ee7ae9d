#pragma once

// Input records: bytes from a source, delivered one character at a time,
// in records that end at LF (CR LF or a lone LF; a last record without LF
// counts whole).

#include <cstddef>
#include <vector>

namespace textio {

inline constexpr std::size_t console_block = 132;  // bytes asked for per console read
inline constexpr std::size_t table_block = 1024;   // bytes asked for per table file read
inline constexpr std::size_t longest_typed_line = 130;
inline constexpr char ctrl_z = 26;

struct InputUnit {
    int fd = -1;
    const char* name = "";          // named in stop reports: "CON" or the file name
    std::size_t capacity = 0;       // bytes asked for in one read request
    bool console = false;           // standard input: the console rules apply
    bool terminal = false;          // console on a terminal: one typed line per read
    std::vector<char> buffer;       // bytes fetched; its size is the room there is
    std::size_t position = 0;       // next character to deliver
    std::size_t end = 0;            // characters deliverable before the next fetch
    std::size_t held = 0;           // bytes fetched into the buffer (end <= held)
    bool record_open = false;       // the bytes delivered so far stop short of an LF
    bool at_end_of_file = false;
};

// A unit reading fd. The buffer is set up here; no memory for it stops
// the run (out of memory).
InputUnit make_input_unit(int fd, const char* name, std::size_t capacity, bool console,
                          bool terminal);

// The console unit (standard input, 132-byte read blocks).
InputUnit& console_unit();

// Every read statement begins here: it names itself for a stop report,
// and in the shared console starts the console read.
void start_read_statement(InputUnit& unit);

// Refills the deliverable range when it is used up. Stops with end of
// file, read failure or console line too long.
void fetch(InputUnit& unit);

// Next character of the current record; CR and LF come like any other
// byte (the caller treats either as the end of the record). Stops with
// end of file, read failure or console line too long.
inline char next_char(InputUnit& unit) {
    if (unit.position >= unit.end) fetch(unit);
    return unit.buffer.data()[unit.position++];
}

// Leaves the character just delivered to be delivered again.
inline void put_back(InputUnit& unit) { --unit.position; }

// Skips the rest of the current record, up to and including its LF; on a
// terminal, drops the rest of the typed line.
void finish_record(InputUnit& unit);

}  // namespace textio
