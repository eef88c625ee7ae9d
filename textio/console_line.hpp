#pragma once

// How console reads move the console output line in the shared console,
// where the user types on the line the program writes to.

namespace textio {

// At the start of every console read statement: a line left open by an
// ordinary record is ended first; a line held by a dollar sign stays, so
// the user types after the prompt.
void console_read_start();

// Each time a console read finishes a record: the typed line end has
// ended the output line.
void console_read_finish();

// At the end of the run: an open line is ended with CR LF. Safe in a
// signal handler.
void complete_line();

}  // namespace textio
