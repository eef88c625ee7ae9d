// norvex_bench replay: the floor, traced like norvex, must make the very
// requests of norvex's trace, in the same order and of the same sizes;
// otherwise the ratio compares unlike things.

#include <cstdio>

#include "bench/call_counts.hpp"
#include "bench/commands.hpp"
#include "bench/strace_log.hpp"

namespace bench {

namespace {

const char* stream_name(Stream s) {
    switch (s) {
    case Stream::console_in: return "read(0)";
    case Stream::console_out: return "write(1)";
    case Stream::error_out: return "write(2)";
    case Stream::table_in: return "read(table)";
    }
    return "?";
}

}  // namespace

int report_replay(const ReplayArgs& a) {
    StraceLog log;
    TraceView expected;
    if (!read_strace_log(a.strace_log, log) || !map_trace(a.trace.c_str(), expected)) {
        std::fprintf(stderr, "norvex_bench: cannot read %s or %s\n", a.strace_log.c_str(),
                     a.trace.c_str());
        return 2;
    }
    Trace replayed;
    const CallCounts counts = count_calls(log, replayed);

    std::size_t same = 0;
    while (same < expected.size && same < replayed.size() && expected.codes[same] == replayed[same])
        ++same;
    if (same == expected.size && same == replayed.size() && counts.stray == 0) {
        std::printf("  the floor made the same %zu requests, in order and of the same sizes\n", same);
        return 0;
    }
    std::printf("  the floor's requests differ from norvex's at request %zu of %zu   <-- unexpected\n",
                same + 1, expected.size);
    if (same < expected.size && same < replayed.size()) {
        const Request e = decode(expected.codes[same]), r = decode(replayed[same]);
        std::printf("    norvex %s of %u bytes, floor %s of %u bytes\n", stream_name(e.stream), e.size,
                    stream_name(r.stream), r.size);
    }
    return 1;
}

}  // namespace bench
