#pragma once

// The commands of norvex_bench; bench/run.sh calls them in turn. Each
// prints its part of the report and returns the process's exit status.

#include <string>

namespace bench {

struct CallsArgs {
    std::string strace_log;  // written by strace -qq -s0 -C
    std::string query_file;  // the run's standard input
    std::string table_file;  // the table it read
    long count = 0;          // queries in query_file
    std::string trace_out;   // the floor's trace, written here
};

struct ThroughputArgs {
    std::string norvex;
    std::string floor;
    std::string trace;
    std::string query_file;
    std::string table_dir;   // both programs run here
    long count = 0;
    int runs = 1;
    std::string work_dir;    // their standard output goes to files here
    std::string baseline;    // an earlier norvex timed alongside, or empty
};

struct CpuArgs {
    std::string norvex;
    std::string query_file;  // many queries; standard output goes to /dev/null
    long count = 0;
    std::string floor;       // the floor, with the trace of norvex's run on
    std::string trace;       // floor_query_file: the kernel's share of user
    std::string floor_query_file;   // time that the system calls alone take
    long floor_count = 0;
    std::string table_dir;
    int runs = 1;
    std::string baseline;    // or empty
};

struct StartupArgs {
    std::string norvex;
    std::string floor;
    std::string trace;
    std::string table_dir;
    int runs = 1;
};

struct ReplayArgs {
    std::string strace_log;  // of the floor, replaying trace
    std::string trace;       // norvex's requests
};

int report_calls(const CallsArgs& a);
int report_replay(const ReplayArgs& a);
int report_throughput(const ThroughputArgs& a);
int report_cpu(const CpuArgs& a);
int report_startup(const StartupArgs& a);

}  // namespace bench
