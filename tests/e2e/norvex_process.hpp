#pragma once

// Runs the built norvex as a user does: in a directory of its own, with
// standard input and output on pipes, files or a terminal, and collects
// the bytes it writes and how it ended.

#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

namespace e2e {

// A scratch directory holding a table file; removed with the object.
class WorkDir {
public:
    WorkDir();
    ~WorkDir();
    WorkDir(const WorkDir&) = delete;
    WorkDir& operator=(const WorkDir&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    void write(const std::string& name, const std::string& bytes) const;
    void install_shipped_table() const;
    // A copy of the program inside the directory, for a child that drops
    // to a user who may not reach the build tree.
    std::string install_program() const;

private:
    std::string path_;
};

struct Outcome {
    std::string out;   // standard output
    std::string err;   // standard error
    int status = -1;   // exit status, or -1 when ended by a signal
    int signal = 0;    // the signal that ended it
    long peak_rss_kb = 0;   // with measure_peak_rss: the program's own peak (VmHWM)
};

// closed_pipe: standard output is a pipe whose reader has already gone.
// terminal: standard output is a pseudo-terminal (output only);
// hung_up_terminal: one whose other side has gone, so writes fail (EIO).
enum class Feed { pipe, file, closed_pipe, terminal, hung_up_terminal };

struct RunOptions {
    Feed input = Feed::pipe;
    Feed output = Feed::pipe;
    std::string stdout_path;                 // when set: standard output goes to this path
    std::function<void()> in_child;          // runs in the child just before exec
    std::string program;                     // another copy of norvex to run
    // A program that runs norvex (strace, say): its arguments, then norvex's path.
    std::vector<std::string> launcher;
    // Lowers the open-file limit of the running program to its three
    // standard streams once it has started (its libraries are loaded by
    // then): standard output is a full pipe, so the first record blocks.
    bool no_more_files_after_start = false;
    // Once all input is in and the program waits for more, reads its peak
    // resident memory from /proc before standard input is closed.
    bool measure_peak_rss = false;
    // Standard input and output pipes handed over non-blocking, and the
    // harness holding back the input and the reading of the output for a
    // while, so that the program meets an empty input and a full output.
    bool nonblocking_pipes = false;
    int hold_back_ms = 0;
};

// Standard input holds `input`, then ends.
Outcome run(const WorkDir& dir, const std::string& input, const RunOptions& options = {});

// Waits until the process sits in read(2) on standard input, with
// nothing left there to read.
bool waiting_for_input(pid_t pid);

// The shared console: standard input and output on a pseudo-terminal with
// echo and output processing off, so the bytes compare exactly. The
// session types each line only once the program waits for it (after a
// prompt), as a user does.
class TerminalSession {
public:
    // With stdout_path, only standard input is the terminal and standard
    // output goes to that file (read back by finish()).
    explicit TerminalSession(const WorkDir& dir, bool signals = false, std::string stdout_path = "");
    ~TerminalSession();

    // Reads standard output until it ends with `tail` (or the program ends).
    bool wait_for(const std::string& tail, int timeout_ms = 5000);
    void type(const std::string& bytes);
    void interrupt();                        // Ctrl+C through the terminal
    Outcome finish(int timeout_ms = 5000);   // waits for the end of the process

    const std::string& output() const { return out_; }

private:
    void drain(int timeout_ms);

    std::string stdout_path_;
    int master_ = -1;
    int err_fd_ = -1;
    pid_t pid_ = -1;
    std::string out_;
};

// The table shipped with the program, as bytes.
std::string shipped_table_text();

// Splits standard output into the values of its result records, in order:
// each "with NN.NN%" record gives two floats.
std::vector<float> result_values(const std::string& out);

}  // namespace e2e
