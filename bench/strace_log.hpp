#pragma once

// What `strace -C -s0` wrote about one run: each system call in order, and
// the per-call counts of its closing summary.

#include <map>
#include <string>
#include <vector>

namespace bench {

struct TracedCall {
    std::string name;
    std::vector<std::string> args;  // as strace wrote them, split at top-level commas
    long result = 0;                // -1 for a failed call
};

struct StraceLog {
    std::vector<TracedCall> calls;
    std::map<std::string, long> summary;  // system call name -> calls counted
};

// Reads a log written by `strace -qq -s0 -C -o FILE` of one process.
// Lines it does not recognise (signals, the exit) are skipped.
bool read_strace_log(const std::string& path, StraceLog& log);

}  // namespace bench
