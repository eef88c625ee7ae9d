#include "textio/fp_env.hpp"

#include <signal.h>

#include <cfenv>

#include "textio/stop.hpp"

namespace textio {

namespace {

constexpr int trapped = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;

void on_fp_fault(int, siginfo_t* info, void*) {
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

    std::fesetround(FE_TONEAREST);
    std::feclearexcept(FE_ALL_EXCEPT);
    feenableexcept(trapped);
}

FpQuiet::FpQuiet() { feholdexcept(&saved_); }

FpQuiet::~FpQuiet() {
    std::feclearexcept(FE_ALL_EXCEPT);
    fesetenv(&saved_);
}

}  // namespace textio
