// The floor: the read and write requests of a traced norvex run, replayed
// with nothing else around them. Run it like norvex (standard input from
// the same queries, standard output to the same kind of file, in the
// directory of the table) and its time is what the system calls alone cost.
//
//   syscall_floor TRACE

#include <fcntl.h>
#include <unistd.h>

#include <cstring>

#include "bench/syscall_trace.hpp"

namespace {

// Bytes to write; their content costs nothing, only their count matters.
char bytes[bench::largest_request + 1];

[[noreturn]] void fail(const char* why) {
    const ssize_t ignored = write(STDERR_FILENO, why, std::strlen(why));
    (void)ignored;
    _exit(2);
}

// Where the run goes once standard input ends: norvex stops there, so an
// input that ends early (a pipe closed by a start-up measurement) skips
// to the requests of its stop. It lies near the end of the trace, so the
// search goes backwards.
std::size_t last_console_read(const bench::TraceView& trace) {
    for (std::size_t i = trace.size; i-- > 0;)
        if (bench::decode(trace.codes[i]).stream == bench::Stream::console_in) return i;
    return trace.size;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) fail("usage: syscall_floor TRACE\n");
    bench::TraceView trace;
    if (!bench::map_trace(argv[1], trace)) fail("syscall_floor: cannot load the trace\n");
    std::memset(bytes, ' ', sizeof bytes);
    const std::size_t end_of_input = last_console_read(trace);

    int table = -1;
    for (std::size_t i = 0; i < trace.size; ++i) {
        const bench::Request r = bench::decode(trace.codes[i]);
        ssize_t n = 0;
        switch (r.stream) {
        case bench::Stream::console_in:
            n = read(STDIN_FILENO, bytes, r.size);
            if (n == 0 && i < end_of_input) i = end_of_input;
            break;
        case bench::Stream::console_out: n = write(STDOUT_FILENO, bytes, r.size); break;
        case bench::Stream::error_out: n = write(STDERR_FILENO, bytes, r.size); break;
        case bench::Stream::table_in:
            if (table < 0) table = open(bench::table_name, O_RDONLY);
            n = read(table, bytes, r.size);
            break;
        }
        if (n < 0) fail("syscall_floor: a request failed\n");
    }
    // norvex always ends with a stop, whose exit status is 1.
    _exit(1);
}
