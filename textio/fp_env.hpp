#pragma once

// The floating-point environment of the run: round to nearest, and traps
// on invalid operation, division by zero and overflow, each of which ends
// the run with its M-class stop. Underflow and inexact results go on
// quietly.

#include <fenv.h>

namespace textio {

// The exceptions that end the run.
inline constexpr int trapped_fp_exceptions = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;

// Arms the traps and installs the fault handler; once, at start-up.
void arm_fp_traps();

// Holds the traps off for the life of the scope and leaves no exception
// flag behind. Reading a number and rendering one must never fault: their
// range is checked by the code itself.
class FpQuiet {
public:
    FpQuiet();
    ~FpQuiet();
    FpQuiet(const FpQuiet&) = delete;
    FpQuiet& operator=(const FpQuiet&) = delete;

private:
#if defined(__x86_64__)
    unsigned saved_;   // the SSE control and status register
#else
    fenv_t saved_;
#endif
};

}  // namespace textio
