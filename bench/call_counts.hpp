#pragma once

// The read and write requests of a traced norvex run, sorted by the file
// they went to, and the trace the floor program replays.

#include <map>
#include <string>

#include "bench/strace_log.hpp"
#include "bench/syscall_trace.hpp"

namespace bench {

struct CallCounts {
    long console_reads = 0;   // read(0)
    long console_writes = 0;  // write(1)
    long error_writes = 0;    // write(2)
    long table_reads = 0;     // reads of fc_tab10.dat
    long other_reads = 0;     // any other file: the dynamic loader's, before main
    long other_writes = 0;
    long stray = 0;           // reads and writes after the banner began that the floor cannot replay
    std::map<std::string, long> after_banner;  // every other call from the banner on
};

// Counts the calls and appends to trace the requests from the first write
// to standard output on (the program's own; what runs before main is the
// same for any program and is not replayed).
CallCounts count_calls(const StraceLog& log, Trace& trace);

}  // namespace bench
