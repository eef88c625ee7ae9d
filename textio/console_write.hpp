#pragma once

// The bytes of console output records on their way to standard output.

#include <cstddef>

namespace textio {

// Hands one record's bytes (its line break and text) to standard output
// in one request, retrying a short write for the rest. A full device and
// a denied write stop the run (WRITE(CON)); any other failure loses the
// text and the run goes on, so a reader that has gone does not end it.
void write_console_record(const char* bytes, std::size_t size);

// A bare line break (a console read starting on an open line, the end of
// the run): its failure is of no consequence.
void write_line_break();

}  // namespace textio
