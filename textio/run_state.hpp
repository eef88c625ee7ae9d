#pragma once

// The few pieces of state that the console output, the console reads and
// the run-time stops share. Everything else of the I/O lives in the small
// structs of its own stage.

#include <csignal>

namespace textio {

// Shared console: standard input and standard output are both terminals,
// and one console unit serves reads and writes, so a finished read ends
// the output line the user typed on. Split console: either is redirected,
// and reads never touch the output side.
enum class ConsoleMode { split, shared };

// The console output line: none written yet (or ended by a typed line end
// in the shared console), open, or held open by the dollar sign of the
// prompt's format.
struct ConsoleLine {
    bool open = false;
    bool dollar_hold = false;
};

// What a stop report names: the statement in progress and its unit.
enum class StatementWord { none, open, read, write };

struct Statement {
    StatementWord word = StatementWord::none;
    const char* unit = "";
};

struct RunState {
    ConsoleMode mode = ConsoleMode::split;
    bool stdin_terminal = false;
    ConsoleLine line;
    Statement statement;
    int table_fd = -1;                    // unit 10, once connected
    volatile sig_atomic_t ending = 0;     // the end-of-run steps have begun
};

// The one instance, for the life of the process.
RunState& run_state();

// Decided once, before the first statement.
void decide_console_mode();

// Every statement names itself before it can fail, and stops naming
// itself when it is done: a stop outside any statement (a number read by
// a tool, say) names none, rather than a unit that may be gone.
inline void begin_statement(StatementWord word, const char* unit) {
    run_state().statement = Statement{word, unit};
}

inline void end_statement() { run_state().statement = Statement{}; }

inline constexpr const char console_name[] = "CON";

}  // namespace textio
