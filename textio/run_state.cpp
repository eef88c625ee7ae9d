#include "textio/run_state.hpp"

#include <unistd.h>

namespace textio {

namespace {
RunState state;
}

RunState& run_state() { return state; }

void decide_console_mode() {
    state.stdin_terminal = isatty(STDIN_FILENO) == 1;
    const bool stdout_terminal = isatty(STDOUT_FILENO) == 1;
    state.mode = state.stdin_terminal && stdout_terminal ? ConsoleMode::shared
                                                         : ConsoleMode::split;
}

}  // namespace textio
