#pragma once

// Run-time stops. A statement that cannot complete, or an arithmetic
// fault, ends the process here: a two-line report on standard error, the
// end-of-run steps, exit status 1. None of these returns.

#include <new>

namespace textio {

// Failures of input and output statements (class F), by report number.
enum class IoStop : int {
    repeat_count_overflow = 6100,
    invalid_repeat_count = 6101,
    real_conversion_overflow = 6102,
    invalid_real = 6103,
    real_out_of_range = 6104,
    radix_second_number_sign = 6302,
    radix_base_out_of_range = 6303,
    console_line_too_long = 6407,
    open_invalid_request = 6412,
    open_access_denied = 6414,
    open_file_not_found = 6416,
    open_too_many_files = 6417,
    write_access_denied = 6421,
    write_no_space = 6422,
    read_failure = 6500,
    end_of_file = 6501,
    zero_repeat_count = 6502,
    second_repeat_count = 6503,
    wrong_kind_of_value = 6504,
    out_of_memory = 6700,
};

// Floating-point faults (class M), by report number.
enum class FpFault : int {
    invalid = 6101,
    divide_by_zero = 6103,
    overflow = 6104,
};

// A failed statement: reported with the statement word and unit that the
// statement in progress recorded when it began (none for out of memory).
[[noreturn]] void io_stop(IoStop number);

// A trapped floating-point fault. Safe to call from a signal handler.
[[noreturn]] void fp_stop(FpFault fault);

// For harnesses that run many inputs in one process (fuzzing): when set,
// a stop of either class calls this with its class letter and number
// instead of reporting and ending the run. It must not return; it may
// throw.
using StopInterceptor = void (*)(char class_letter, int number);
void intercept_stops(StopInterceptor interceptor);

// Runs an allocation; memory running out is a stop (out of memory). The
// stop comes outside the handler, so that an interceptor that throws
// leaves it cleanly.
template <class Allocation>
void allocate_or_stop(Allocation&& allocation) {
    bool allocated = true;
    try {
        allocation();
    } catch (const std::bad_alloc&) {
        allocated = false;
    }
    if (!allocated) io_stop(IoStop::out_of_memory);
}

// The message line of a report, without its "- ".
const char* stop_message(IoStop number);
const char* stop_message(FpFault fault);

}  // namespace textio
