#include "textio/fp_env.hpp"

#include <signal.h>

#include <cfenv>

#include "textio/stop.hpp"

namespace textio {

namespace {

// Only a fault of the program's own arithmetic is a stop. A SIGFPE sent
// by a process (kill, sigqueue, tgkill: a code of 0 or below) is a signal
// like any other and takes its default action, once this handler returns
// and it is no longer blocked.
void on_fp_fault(int, siginfo_t* info, void*) {
    if (info->si_code <= 0) {
        signal(SIGFPE, SIG_DFL);
        raise(SIGFPE);
        return;
    }
    switch (info->si_code) {
    case FPE_FLTDIV:
    case FPE_INTDIV: fp_stop(FpFault::divide_by_zero);
    case FPE_FLTOVF: fp_stop(FpFault::overflow);
    default: fp_stop(FpFault::invalid);
    }
}

}  // namespace

void arm_fp_traps() {
    struct sigaction action {};
    action.sa_sigaction = on_fp_fault;
    action.sa_flags = SA_SIGINFO;
    sigemptyset(&action.sa_mask);
    sigaction(SIGFPE, &action, nullptr);
    // Blocked by whoever started the program, a trapped fault would kill
    // it with no report instead of reaching the handler.
    sigset_t fpe;
    sigemptyset(&fpe);
    sigaddset(&fpe, SIGFPE);
    sigprocmask(SIG_UNBLOCK, &fpe, nullptr);

    std::fesetround(FE_TONEAREST);
    std::feclearexcept(FE_ALL_EXCEPT);
    feenableexcept(trapped_fp_exceptions);
}

#if defined(__x86_64__)

// The number conversions work in SSE registers only, so masking there is
// enough, and a control register load is far cheaper than a whole
// environment: this runs for every number read and written.
namespace {
constexpr unsigned all_masks = 0x1f80;   // the six exception mask bits
constexpr unsigned all_flags = 0x003f;   // the six sticky exception flags
}  // namespace

FpQuiet::FpQuiet() : saved_(__builtin_ia32_stmxcsr()) {
    __builtin_ia32_ldmxcsr((saved_ | all_masks) & ~all_flags);
}

FpQuiet::~FpQuiet() { __builtin_ia32_ldmxcsr(saved_ & ~all_flags); }

#else

FpQuiet::FpQuiet() { feholdexcept(&saved_); }

FpQuiet::~FpQuiet() {
    std::feclearexcept(FE_ALL_EXCEPT);
    fesetenv(&saved_);
}

#endif

}  // namespace textio
