#pragma once

// Starting a program with its standard streams on given descriptors, in a
// given directory, and timing it from just before the fork to its end.

#include <sys/types.h>

#include <string>
#include <vector>

namespace bench {

struct StreamFds {
    int in;
    int out;
    int err;
};

struct Started {
    pid_t pid = -1;
    double start = 0;  // monotonic seconds, taken just before the fork
};

struct Ended {
    double seconds = 0;          // from the fork to the end
    int status = -1;             // exit status, -1 when ended by a signal
    long peak_rss_kib = 0;       // ru_maxrss of the child
    double user_seconds = 0;     // CPU time of the child in user mode
    double system_seconds = 0;   // and in the kernel on its behalf
};

double now_seconds();

// Every other descriptor of this process is closed in the child.
Started start_program(const std::vector<std::string>& argv, const std::string& dir, StreamFds fds);

Ended wait_program(const Started& started);

// Runs the program to its end: standard input from in_path, standard
// output truncated into out_path, standard error discarded.
Ended run_program(const std::vector<std::string>& argv, const std::string& dir,
                  const std::string& in_path, const std::string& out_path);

}  // namespace bench
