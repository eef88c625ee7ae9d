#include "textio/start_up.hpp"

#include <csignal>

#include "textio/fp_env.hpp"
#include "textio/run_state.hpp"

namespace textio {

void start_run() {
    arm_fp_traps();
    // A closed pipe on standard output loses the text, not the run: the
    // write fails with EPIPE and the program reads on to its end.
    std::signal(SIGPIPE, SIG_IGN);
    // Likewise a file-size limit: the write fails with EFBIG instead of the
    // signal ending the process with a record cut short and no report.
    std::signal(SIGXFSZ, SIG_IGN);
    decide_console_mode();
}

}  // namespace textio
