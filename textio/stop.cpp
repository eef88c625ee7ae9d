#include "textio/stop.hpp"

#include <unistd.h>

#include <cstddef>
#include <cstring>

#include "textio/console_line.hpp"
#include "textio/fd_write.hpp"
#include "textio/run_state.hpp"

// Everything on the way from a stop to the exit is async-signal-safe
// (write, close, _exit and plain memory), because a floating-point fault
// arrives through the SIGFPE handler.

namespace textio {

const char* stop_message(IoStop number) {
    switch (number) {
    case IoStop::repeat_count_overflow: return "repeat count too large: it does not fit in 32 bits";
    case IoStop::invalid_repeat_count: return "invalid repeat count: a character that is not a digit of its base";
    case IoStop::real_conversion_overflow: return "number too large to be converted";
    case IoStop::invalid_real: return "invalid number: the text read is not a REAL value";
    case IoStop::real_out_of_range: return "number out of the range of a REAL";
    case IoStop::radix_second_number_sign: return "invalid radix form: a second number sign in a repeat count";
    case IoStop::radix_base_out_of_range: return "invalid radix form: the base is not between 2 and 36";
    case IoStop::console_line_too_long: return "console line too long";
    case IoStop::open_invalid_request: return "the system rejected the request to open the file as invalid";
    case IoStop::open_access_denied: return "access denied: the file may not be opened";
    case IoStop::open_file_not_found: return "file not found";
    case IoStop::open_too_many_files: return "too many open files";
    case IoStop::write_access_denied: return "write access denied, or the region is locked";
    case IoStop::write_no_space: return "no space left on the device";
    case IoStop::read_failure: return "read failure";
    case IoStop::end_of_file: return "end of file";
    case IoStop::zero_repeat_count: return "zero repeat count";
    case IoStop::second_repeat_count: return "second repeat count for the same value";
    case IoStop::wrong_kind_of_value: return "wrong kind of value: a number was expected";
    case IoStop::out_of_memory: return "out of memory";
    }
    return "run-time failure";
}

const char* stop_message(FpFault fault) {
    switch (fault) {
    case FpFault::invalid: return "floating-point error: invalid";
    case FpFault::divide_by_zero: return "floating-point error: divide by zero";
    case FpFault::overflow: return "floating-point error: overflow";
    }
    return "floating-point error";
}

namespace {

constexpr char crlf[] = "\r\n";
StopInterceptor interceptor = nullptr;

// A report is short; it is assembled here and written in one request.
struct ReportText {
    char bytes[1024];
    std::size_t size = 0;

    void add(const char* text) {
        std::size_t n = std::strlen(text);
        if (n > sizeof bytes - size) n = sizeof bytes - size;
        std::memcpy(bytes + size, text, n);
        size += n;
    }
};

const char* word_text(StatementWord word) {
    switch (word) {
    case StatementWord::open: return ": OPEN(";
    case StatementWord::read: return ": READ(";
    case StatementWord::write: return ": WRITE(";
    case StatementWord::none: break;
    }
    return "";
}

// unit: the name in the parentheses after the statement word, or none.
void write_report(char letter, int number, const char* after_number, const char* unit,
                  const char* message) {
    char code[6] = {letter, char('0' + number / 1000 % 10), char('0' + number / 100 % 10),
                    char('0' + number / 10 % 10), char('0' + number % 10), '\0'};
    ReportText report;
    report.add(crlf);
    report.add("run-time error ");
    report.add(code);
    report.add(after_number);
    if (unit != nullptr) {
        report.add(unit);
        report.add(")");
    }
    report.add(crlf);
    report.add("- ");
    report.add(message);
    report.add(crlf);
    write_all(STDERR_FILENO, report.bytes, report.size);   // a failure is ignored
}

// Closes unit 10 and ends an open console line; a record still being
// assembled is simply never written.
[[noreturn]] void end_run() {
    RunState& state = run_state();
    if (!state.ending) {
        state.ending = 1;
        if (state.table_fd >= 0) {
            close(state.table_fd);
            state.table_fd = -1;
        }
        complete_line();
    }
    _exit(1);
}

}  // namespace

void intercept_stops(StopInterceptor handler) { interceptor = handler; }

void io_stop(IoStop number) {
    if (interceptor) interceptor('F', static_cast<int>(number));
    const Statement statement = number == IoStop::out_of_memory
                                     ? Statement{}
                                     : run_state().statement;
    const bool named = statement.word != StatementWord::none;
    write_report('F', static_cast<int>(number), word_text(statement.word),
                 named ? statement.unit : nullptr, stop_message(number));
    end_run();
}

void fp_stop(FpFault fault) {
    if (interceptor) interceptor('M', static_cast<int>(fault));
    write_report('M', static_cast<int>(fault), ": MATH", nullptr, stop_message(fault));
    end_run();
}

}  // namespace textio
