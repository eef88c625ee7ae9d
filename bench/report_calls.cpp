// norvex_bench calls: the system calls of one traced run against the
// numbers one write per record and one read per input block give, and the
// trace for the floor program.

#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "bench/call_counts.hpp"
#include "bench/commands.hpp"
#include "bench/strace_log.hpp"

namespace bench {

namespace {

constexpr long console_block = 132;
constexpr long table_block = 1024;
constexpr long banner_records = 8;
constexpr long records_per_query = 7;   // slash, prompt, heading, four results
constexpr long table_records = 7 + 62;  // header records, then one line per group

long file_size(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 ? static_cast<long>(st.st_size) : -1;
}

// The table is read block by block until the record of the 62nd group has
// been finished; nothing after it is asked for.
long bytes_read_of_table(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    long offset = 0;
    int records = 0;
    for (char c; records < table_records && in.get(c);) {
        ++offset;
        if (c == '\n') ++records;
    }
    return offset;
}

long blocks(long bytes, long block) { return (bytes + block - 1) / block; }

struct Row {
    const char* what;
    long counted;
    long expected;  // -1: nothing to compare with
    std::string why;
};

bool print_row(const Row& r) {
    const bool differs = r.expected >= 0 && r.counted != r.expected;
    if (r.expected >= 0)
        std::printf("  %-22s %10ld %10ld   %s%s\n", r.what, r.counted, r.expected, r.why.c_str(),
                    differs ? "   <-- differs" : "");
    else
        std::printf("  %-22s %10ld %10s   %s\n", r.what, r.counted, "-", r.why.c_str());
    return !differs;
}

long summary_count(const StraceLog& log, const char* name) {
    const auto it = log.summary.find(name);
    return it == log.summary.end() ? 0 : it->second;
}

}  // namespace

int report_calls(const CallsArgs& a) {
    StraceLog log;
    if (!read_strace_log(a.strace_log, log) || log.calls.empty()) {
        std::fprintf(stderr, "norvex_bench: no system calls in %s\n", a.strace_log.c_str());
        return 2;
    }
    Trace trace;
    const CallCounts c = count_calls(log, trace);

    const long input_bytes = file_size(a.query_file);
    const long table_bytes = bytes_read_of_table(a.table_file);
    const long out_expected = banner_records + records_per_query * a.count + 2 + 1;
    const long in_expected = blocks(input_bytes, console_block) + 1;
    const long table_expected = blocks(table_bytes, table_block);
    const long n = a.count;

    std::printf("system calls of one run, %ld queries (strace -C; counted / expected)\n", n);
    bool same = true;
    same &= print_row({"write (strace -c)", summary_count(log, "write"),
                       out_expected + 1 + c.other_writes, "the two lines below"});
    same &= print_row({"  standard output", c.console_writes, out_expected,
                       "8 banner + 7 x " + std::to_string(n) +
                           " queries + 2 (last prompt) + 1 (line end at the stop)"});
    same &= print_row({"  standard error", c.error_writes, 1, "the stop report, one request"});
    same &= print_row({"read (strace -c)", summary_count(log, "read"),
                       in_expected + table_expected + c.other_reads, "the three lines below"});
    same &= print_row({"  standard input", c.console_reads, in_expected,
                       "ceil(" + std::to_string(input_bytes) + " B / 132) + 1 end-of-file read"});
    same &= print_row({"  fc_tab10.dat", c.table_reads, table_expected,
                       "ceil(" + std::to_string(table_bytes) + " B up to the 62nd group / 1024)"});
    print_row({"  other files", c.other_reads, -1, "the dynamic loader's, before main"});
    if (c.stray != 0) {
        std::printf("  %ld reads or writes the floor does not replay  <-- unexpected\n", c.stray);
        same = false;
    }
    std::printf("  other calls from the banner on:");
    for (const auto& [name, count] : c.after_banner) std::printf(" %s %ld", name.c_str(), count);
    std::printf("\n");

    if (!save_trace(a.trace_out.c_str(), trace)) {
        std::fprintf(stderr, "norvex_bench: cannot write %s\n", a.trace_out.c_str());
        return 2;
    }
    std::printf("  floor trace: %zu requests, %zu bytes\n", trace.size(),
                trace.size() * sizeof trace[0] + 8);
    return same ? 0 : 1;
}

}  // namespace bench
