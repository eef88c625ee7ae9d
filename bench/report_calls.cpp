// norvex_bench calls: the system calls of one traced run against the
// numbers one write per record and one read per input block give, and the
// trace for the floor program.

#include <cstdio>
#include <fstream>
#include <string>

#include "bench/call_counts.hpp"
#include "bench/commands.hpp"
#include "bench/file_size.hpp"
#include "bench/strace_log.hpp"
#include "calc/belt_table.hpp"
#include "textio/input_unit.hpp"

namespace bench {

namespace {

constexpr long console_block = static_cast<long>(textio::console_block);
constexpr long table_block = static_cast<long>(textio::table_block);
constexpr long banner_records = 8;
constexpr long records_per_query = 7;     // slash, prompt, heading, four results
constexpr long last_prompt_records = 2;   // slash and prompt before the input ends
constexpr long stop_records = 1;          // the line end the stop writes
constexpr long stop_report_writes = 1;    // the stop report, on standard error
constexpr long end_of_file_reads = 1;     // the console read that finds the input ended
constexpr long table_records = norvex::header_records + norvex::grid_points;  // one line per group

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

std::string ordinal(long n) {
    const long ones = n % 10, tens = n % 100;
    const char* suffix = tens >= 11 && tens <= 13 ? "th"
                         : ones == 1             ? "st"
                         : ones == 2             ? "nd"
                         : ones == 3             ? "rd"
                                                 : "th";
    return std::to_string(n) + suffix;
}

std::string text(long n) { return std::to_string(n); }

struct Row {
    std::string what;
    long counted;
    long expected;  // -1: nothing to compare with
    std::string why;
};

bool print_row(const Row& r) {
    const bool differs = r.expected >= 0 && r.counted != r.expected;
    if (r.expected >= 0)
        std::printf("  %-22s %10ld %10ld   %s%s\n", r.what.c_str(), r.counted, r.expected, r.why.c_str(),
                    differs ? "   <-- differs" : "");
    else
        std::printf("  %-22s %10ld %10s   %s\n", r.what.c_str(), r.counted, "-", r.why.c_str());
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
    const long out_expected =
        banner_records + records_per_query * a.count + last_prompt_records + stop_records;
    const long in_expected = blocks(input_bytes, console_block) + end_of_file_reads;
    const long table_expected = blocks(table_bytes, table_block);
    const long n = a.count;

    std::printf("system calls of one run, %ld queries (strace -C; counted / expected)\n", n);
    bool same = true;
    same &= print_row({"write (strace -c)", summary_count(log, "write"),
                       out_expected + stop_report_writes + c.other_writes, "the two lines below"});
    same &= print_row({"  standard output", c.console_writes, out_expected,
                       text(banner_records) + " banner + " + text(records_per_query) + " x " + text(n) +
                           " queries + " + text(last_prompt_records) + " (last prompt) + " +
                           text(stop_records) + " (line end at the stop)"});
    same &= print_row({"  standard error", c.error_writes, stop_report_writes,
                       "the stop report, one request"});
    same &= print_row({"read (strace -c)", summary_count(log, "read"),
                       in_expected + table_expected + c.other_reads, "the three lines below"});
    same &= print_row({"  standard input", c.console_reads, in_expected,
                       "ceil(" + text(input_bytes) + " B / " + text(console_block) +
                           ") + " + text(end_of_file_reads) + " end-of-file read"});
    same &= print_row({std::string("  ") + table_name, c.table_reads, table_expected,
                       "ceil(" + text(table_bytes) + " B up to the " + ordinal(norvex::grid_points) +
                           " group / " + text(table_block) + ")"});
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
