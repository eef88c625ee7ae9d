#include "norvex_process.hpp"

#include "dialogue_text.hpp"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <utility>

namespace e2e {

namespace {

void fail(const char* what) { throw std::runtime_error(std::string(what) + ": " + std::strerror(errno)); }

void set_nonblocking(int fd) { fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK); }

Outcome status_of(int wait_status) {
    Outcome o;
    if (WIFEXITED(wait_status)) o.status = WEXITSTATUS(wait_status);
    if (WIFSIGNALED(wait_status)) o.signal = WTERMSIG(wait_status);
    return o;
}

[[noreturn]] void exec_norvex(const std::string& dir, const std::string& program = NORVEX_BIN,
                              const std::vector<std::string>& launcher = {}) {
    if (chdir(dir.c_str()) != 0) _exit(126);
    signal(SIGPIPE, SIG_DFL);   // the harness ignores it; the program must ignore it itself
    if (launcher.empty()) execl(program.c_str(), "norvex", static_cast<char*>(nullptr));
    std::vector<char*> args;
    for (const std::string& arg : launcher) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(const_cast<char*>(program.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
}

// Output bytes pass the terminal unchanged, so they compare exactly.
void raw_output(int terminal) {
    termios mode{};
    tcgetattr(terminal, &mode);
    mode.c_oflag &= ~OPOST;
    tcsetattr(terminal, TCSANOW, &mode);
}

// Fills a pipe so that the next write to it blocks: whole blocks while
// they fit, then single bytes into what room is left.
void fill_pipe(int write_end) {
    set_nonblocking(write_end);
    static const char block[4096] = {};
    while (write(write_end, block, sizeof block) > 0) {
    }
    while (write(write_end, block, 1) > 0) {
    }
    fcntl(write_end, F_SETFL, fcntl(write_end, F_GETFL) & ~O_NONBLOCK);
}

// Waits until the process sits in write(2), as /proc shows it.
bool blocked_in_write(pid_t pid) {
    const std::string path = "/proc/" + std::to_string(pid) + "/syscall";
    for (int tries = 0; tries < 1000; ++tries) {
        std::ifstream in(path);
        std::string number;
        in >> number;
        if (number == "1") return true;
        usleep(5000);
    }
    return false;
}

}  // namespace

bool waiting_for_input(pid_t pid) {
    const std::string path = "/proc/" + std::to_string(pid) + "/syscall";
    for (int tries = 0; tries < 20000; ++tries) {
        std::ifstream in(path);
        std::string number, fd;
        in >> number >> fd;
        if (number == "0" && fd == "0x0") return true;
        usleep(1000);
    }
    return false;
}

namespace {

long peak_rss_kb(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
    return 0;
}

void limit_files_when_blocked(pid_t pid) {
    if (!blocked_in_write(pid)) return;
    const rlimit three{3, 3};
    prlimit(pid, RLIMIT_NOFILE, &three, nullptr);
}

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

WorkDir::WorkDir() {
    char templ[] = "/tmp/norvex-e2e-XXXXXX";
    if (!mkdtemp(templ)) fail("mkdtemp");
    path_ = templ;
}

WorkDir::~WorkDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void WorkDir::write(const std::string& name, const std::string& bytes) const {
    std::ofstream out(file(name), std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string shipped_table_text() { return read_file(NORVEX_SHIPPED_TABLE); }

void WorkDir::install_shipped_table() const { write("fc_tab10.dat", shipped_table_text()); }

std::string WorkDir::install_program() const {
    const std::string path = file("norvex");
    write("norvex", read_file(NORVEX_BIN));
    chmod(path.c_str(), 0755);
    return path;
}

Outcome run(const WorkDir& dir, const std::string& input, const RunOptions& options) {
    int in_pipe[2] = {-1, -1}, out_pipe[2] = {-1, -1}, err_pipe[2];
    int in_fd = -1, out_fd = -1;
    if (options.input == Feed::file) {
        const std::string path = dir.file(".stdin");
        dir.write(".stdin", input);
        in_fd = open(path.c_str(), O_RDONLY);
    } else {
        if (pipe(in_pipe) != 0) fail("pipe");
        in_fd = in_pipe[0];
    }
    std::string out_path = options.stdout_path;
    if (out_path.empty() && options.output == Feed::file) out_path = dir.file(".stdout");
    if (!out_path.empty()) {
        out_fd = open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    } else if (options.output == Feed::hung_up_terminal) {
        int master = -1;
        if (openpty(&master, &out_fd, nullptr, nullptr, nullptr) != 0) fail("openpty");
        close(master);   // every write to the terminal now fails (EIO)
    } else if (options.output == Feed::terminal) {
        if (openpty(&out_pipe[0], &out_pipe[1], nullptr, nullptr, nullptr) != 0) fail("openpty");
        raw_output(out_pipe[1]);
        out_fd = out_pipe[1];
    } else {
        if (pipe(out_pipe) != 0) fail("pipe");
        out_fd = out_pipe[1];
        if (options.output == Feed::closed_pipe) {
            close(out_pipe[0]);
            out_pipe[0] = -1;
        }
    }
    if (in_fd < 0 || out_fd < 0) fail("open");
    if (options.no_more_files_after_start) fill_pipe(out_fd);
    if (options.nonblocking_pipes) {
        set_nonblocking(in_fd);
        set_nonblocking(out_fd);
    }
    if (pipe(err_pipe) != 0) fail("pipe");

    const pid_t pid = fork();
    if (pid < 0) fail("fork");
    if (pid == 0) {
        dup2(in_fd, STDIN_FILENO);
        dup2(out_fd, STDOUT_FILENO);
        dup2(err_pipe[1], STDERR_FILENO);
        for (int fd = 3; fd < 64; ++fd) close(fd);
        if (options.in_child) options.in_child();
        exec_norvex(dir.path(), options.program.empty() ? NORVEX_BIN : options.program,
                    options.launcher);
    }
    close(in_fd);
    close(out_fd);
    close(err_pipe[1]);
    if (options.no_more_files_after_start) limit_files_when_blocked(pid);
    if (options.hold_back_ms > 0) usleep(static_cast<useconds_t>(options.hold_back_ms) * 1000);

    Outcome result;
    std::size_t fed = 0;
    int to_child = in_pipe[1];
    if (to_child >= 0) set_nonblocking(to_child);
    if (to_child >= 0 && input.empty()) {
        close(to_child);
        to_child = -1;
    }
    struct Source {
        int fd;
        std::string* sink;
    } sources[2] = {{out_pipe[0], &result.out}, {err_pipe[0], &result.err}};
    // A program that ignores SIGPIPE still sees EPIPE; the test must not die of it.
    signal(SIGPIPE, SIG_IGN);
    for (;;) {
        pollfd fds[3];
        int n = 0;
        for (auto& s : sources)
            if (s.fd >= 0) fds[n++] = {s.fd, POLLIN, 0};
        if (to_child >= 0) fds[n++] = {to_child, POLLOUT, 0};
        if (n == 0) break;
        if (poll(fds, n, 60000) <= 0) break;
        for (int i = 0; i < n; ++i) {
            if (fds[i].revents == 0) continue;
            if (fds[i].fd == to_child) {
                const ssize_t w = write(to_child, input.data() + fed, input.size() - fed);
                if (w > 0) fed += static_cast<std::size_t>(w);
                if (fed == input.size() && options.measure_peak_rss && waiting_for_input(pid))
                    result.peak_rss_kb = peak_rss_kb(pid);
                if (w < 0 || fed == input.size()) {
                    close(to_child);
                    to_child = -1;
                }
                continue;
            }
            for (auto& s : sources) {
                if (s.fd != fds[i].fd) continue;
                char buf[65536];
                const ssize_t r = read(s.fd, buf, sizeof buf);
                if (r > 0) {
                    s.sink->append(buf, static_cast<std::size_t>(r));
                } else {
                    close(s.fd);
                    s.fd = -1;
                }
            }
        }
    }
    if (to_child >= 0) close(to_child);
    int wait_status = 0;
    waitpid(pid, &wait_status, 0);
    const Outcome ended = status_of(wait_status);
    result.status = ended.status;
    result.signal = ended.signal;
    if (!out_path.empty() && out_path.rfind("/dev/", 0) != 0) result.out = read_file(out_path);
    return result;
}

TerminalSession::TerminalSession(const WorkDir& dir, bool signals, std::string stdout_path)
    : stdout_path_(std::move(stdout_path)) {
    int slave = -1;
    if (openpty(&master_, &slave, nullptr, nullptr, nullptr) != 0) fail("openpty");
    termios mode{};
    tcgetattr(slave, &mode);
    mode.c_lflag &= ~(ECHO | ECHONL | ECHOE | ECHOK);
    if (!signals) mode.c_lflag &= ~ISIG;
    mode.c_lflag |= ICANON;
    mode.c_oflag &= ~OPOST;
    mode.c_iflag &= ~(ICRNL | INLCR | IGNCR);
    tcsetattr(slave, TCSANOW, &mode);

    int err_pipe[2];
    if (pipe(err_pipe) != 0) fail("pipe");
    pid_ = fork();
    if (pid_ < 0) fail("fork");
    if (pid_ == 0) {
        setsid();
        ioctl(slave, TIOCSCTTY, 0);
        dup2(slave, STDIN_FILENO);
        if (stdout_path_.empty()) {
            dup2(slave, STDOUT_FILENO);
        } else {
            const int out = open(stdout_path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            dup2(out, STDOUT_FILENO);
        }
        dup2(err_pipe[1], STDERR_FILENO);
        for (int fd = 3; fd < 64; ++fd) close(fd);
        exec_norvex(dir.path());
    }
    close(slave);
    close(err_pipe[1]);
    err_fd_ = err_pipe[0];
}

TerminalSession::~TerminalSession() {
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    if (master_ >= 0) close(master_);
    if (err_fd_ >= 0) close(err_fd_);
}

void TerminalSession::drain(int timeout_ms) {
    pollfd fd{master_, POLLIN, 0};
    if (poll(&fd, 1, timeout_ms) <= 0) return;
    char buf[4096];
    const ssize_t r = read(master_, buf, sizeof buf);
    if (r > 0) out_.append(buf, static_cast<std::size_t>(r));
    if (r <= 0) {
        close(master_);
        master_ = -1;
    }
}

bool TerminalSession::wait_for(const std::string& tail, int timeout_ms) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (master_ >= 0) {
        if (ends_with(out_, tail)) return true;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        drain(static_cast<int>(left.count()));
    }
    return ends_with(out_, tail);
}

void TerminalSession::type(const std::string& bytes) {
    if (master_ >= 0 && ::write(master_, bytes.data(), bytes.size()) < 0) fail("write to terminal");
}

void TerminalSession::interrupt() { type("\x03"); }

Outcome TerminalSession::finish(int timeout_ms) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (master_ >= 0 && std::chrono::steady_clock::now() < deadline) drain(100);
    int wait_status = 0;
    Outcome result;
    for (;;) {
        const pid_t done = waitpid(pid_, &wait_status, WNOHANG);
        if (done == pid_) break;
        if (std::chrono::steady_clock::now() >= deadline) {
            kill(pid_, SIGKILL);
            waitpid(pid_, &wait_status, 0);
            break;
        }
        usleep(10000);
    }
    pid_ = -1;
    result = status_of(wait_status);
    result.out = stdout_path_.empty() ? out_ : read_file(stdout_path_);
    char buf[4096];
    ssize_t r;
    while ((r = read(err_fd_, buf, sizeof buf)) > 0) result.err.append(buf, static_cast<std::size_t>(r));
    return result;
}

std::vector<float> result_values(const std::string& out) {
    std::vector<float> values;
    const std::string record_start = crlf + "with ";
    std::size_t at = 0;
    while ((at = out.find(record_start, at)) != std::string::npos) {
        const std::size_t percent = out.find('%', at);
        if (percent == std::string::npos) break;
        const char* p = out.c_str() + percent + 1;
        char* end = nullptr;
        for (int k = 0; k < 2; ++k) {
            values.push_back(std::strtof(p, &end));
            p = end;
        }
        at = percent;
    }
    return values;
}

}  // namespace e2e
