// norvex_bench startup: from the fork to the first prompt on standard
// output (the banner written and the table loaded), and the peak memory of
// a run that then ends at once. The floor shows what exec and the dynamic
// loader alone cost.

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/child_process.hpp"
#include "bench/commands.hpp"
#include "bench/syscall_trace.hpp"
#include "bench/timing.hpp"

namespace bench {

namespace {

constexpr char prompt[] = "x,sigma(x) : ";

bool ends_with_prompt(const std::string& s) {
    const std::string p = prompt;
    return s.size() >= p.size() && s.compare(s.size() - p.size(), p.size(), p) == 0;
}

struct StartupRun {
    double to_prompt = -1;   // -1: the prompt never came
    std::size_t bytes = 0;   // written up to the end of the prompt
    Ended ended;
};

// The floor writes blanks, so its prompt is known by its place: as many
// bytes as norvex had written when its prompt was complete.
struct PromptMark {
    std::size_t bytes = 0;  // 0: recognise the prompt's text

    bool reached(const std::string& seen) const {
        return bytes == 0 ? ends_with_prompt(seen) : seen.size() >= bytes;
    }
};

// Standard input is a pipe left empty, so the program waits at its first
// query read; closing the pipe then ends it with end of file.
StartupRun time_to_prompt(const std::vector<std::string>& argv, const std::string& dir,
                          PromptMark mark) {
    int in[2], out[2];
    if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0) {
        std::perror("pipe");
        std::exit(2);
    }
    const int err = open("/dev/null", O_WRONLY | O_CLOEXEC);
    const Started s = start_program(argv, dir, {in[0], out[1], err});
    close(in[0]);
    close(out[1]);
    close(err);

    StartupRun run;
    std::string seen;
    char buf[4096];
    for (ssize_t n; (n = read(out[0], buf, sizeof buf)) > 0;) {
        seen.append(buf, static_cast<std::size_t>(n));
        if (run.to_prompt < 0 && mark.reached(seen)) {
            run.to_prompt = now_seconds() - s.start;
            run.bytes = seen.size();
            close(in[1]);
            in[1] = -1;
        }
    }
    if (in[1] >= 0) close(in[1]);
    close(out[0]);
    run.ended = wait_program(s);
    return run;
}

// Returns the bytes up to the end of the first prompt; 0 when it never came.
std::size_t measure(const char* who, const std::vector<std::string>& argv, const std::string& dir,
                    int runs, PromptMark mark) {
    Timings t;
    long peak_rss = 0;
    std::size_t bytes = 0;
    for (int i = 0; i < runs; ++i) {
        const StartupRun r = time_to_prompt(argv, dir, mark);
        if (r.to_prompt < 0) {
            std::printf("  %-8s no prompt came (exit status %d)   <-- unexpected\n", who,
                        r.ended.status);
            return 0;
        }
        bytes = r.bytes;
        t.add(r.to_prompt);
        if (r.ended.peak_rss_kib > peak_rss) peak_rss = r.ended.peak_rss_kib;
    }
    std::printf("  %-8s to first prompt: best %7.3f ms  median %7.3f ms   peak RSS %6ld KiB\n", who,
                t.best() * 1e3, t.median() * 1e3, peak_rss);
    return bytes;
}

// The requests up to the first query read and those of the stop: all
// that a start-up run makes, without the rest of a long trace to load.
bool write_startup_trace(const std::string& from, const std::string& to) {
    TraceView trace;
    if (!map_trace(from.c_str(), trace)) return false;
    std::size_t first = trace.size, last = trace.size;
    for (std::size_t i = 0; i < trace.size; ++i) {
        if (decode(trace.codes[i]).stream != Stream::console_in) continue;
        if (first == trace.size) first = i;
        last = i;
    }
    if (first == trace.size) return false;
    Trace cut(trace.codes, trace.codes + first + 1);
    cut.insert(cut.end(), trace.codes + last + 1, trace.codes + trace.size);
    return save_trace(to.c_str(), cut);
}

}  // namespace

int report_startup(const StartupArgs& a) {
    std::printf("start-up with the shipped table, %d runs each (from the fork)\n", a.runs);
    const std::size_t prompt_end = measure("norvex", {a.norvex}, a.table_dir, a.runs, {});
    if (prompt_end == 0) return 1;
    const std::string startup_trace = a.trace + ".startup";
    if (!write_startup_trace(a.trace, startup_trace)) {
        std::fprintf(stderr, "norvex_bench: no query read in %s\n", a.trace.c_str());
        return 2;
    }
    return measure("floor", {a.floor, startup_trace}, a.table_dir, a.runs, {prompt_end}) != 0 ? 0 : 1;
}

}  // namespace bench
