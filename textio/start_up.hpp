#pragma once

namespace textio {

// Before the first statement: the floating-point traps, the console mode,
// and standard output written on even when its reader has gone or a
// file-size limit is reached.
void start_run();

}  // namespace textio
