#include "bench/child_process.hpp"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace bench {

double now_seconds() {
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

namespace {

[[noreturn]] void exec_child(const std::vector<std::string>& argv, const std::string& dir,
                             StreamFds fds) {
    if (dup2(fds.in, 0) < 0 || dup2(fds.out, 1) < 0 || dup2(fds.err, 2) < 0) _exit(126);
    closefrom(3);
    if (chdir(dir.c_str()) != 0) _exit(126);
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execv(args[0], args.data());
    _exit(127);
}

double seconds(const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
}

}  // namespace

Started start_program(const std::vector<std::string>& argv, const std::string& dir, StreamFds fds) {
    Started s;
    s.start = now_seconds();
    s.pid = fork();
    if (s.pid == 0) exec_child(argv, dir, fds);
    if (s.pid < 0) {
        std::perror("fork");
        std::exit(2);
    }
    return s;
}

Ended wait_program(const Started& started) {
    int status = 0;
    rusage usage{};
    Ended e;
    while (wait4(started.pid, &status, 0, &usage) < 0) {
        if (errno != EINTR) {
            std::perror("wait4");
            std::exit(2);
        }
    }
    e.seconds = now_seconds() - started.start;
    e.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    e.peak_rss_kib = usage.ru_maxrss;
    e.user_seconds = seconds(usage.ru_utime);
    e.system_seconds = seconds(usage.ru_stime);
    return e;
}

Ended run_program(const std::vector<std::string>& argv, const std::string& dir,
                  const std::string& in_path, const std::string& out_path) {
    const int in = open(in_path.c_str(), O_RDONLY | O_CLOEXEC);
    const int out = open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const int err = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (in < 0 || out < 0 || err < 0) {
        std::perror("open");
        std::exit(2);
    }
    const Started s = start_program(argv, dir, {in, out, err});
    close(in);
    close(out);
    close(err);
    return wait_program(s);
}

}  // namespace bench
