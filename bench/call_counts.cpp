#include "bench/call_counts.hpp"

#include <cstdlib>
#include <set>

namespace bench {

namespace {

bool names_table(const std::string& quoted_path) {
    const std::string tail = std::string("/") + table_name + "\"";
    return quoted_path == std::string("\"") + table_name + "\"" ||
           (quoted_path.size() > tail.size() &&
            quoted_path.compare(quoted_path.size() - tail.size(), tail.size(), tail) == 0);
}

long fd_of(const TracedCall& call) {
    return call.args.empty() ? -1 : std::strtol(call.args[0].c_str(), nullptr, 10);
}

// The byte count asked for: the last argument of read and write.
long requested(const TracedCall& call) {
    return call.args.empty() ? -1 : std::strtol(call.args.back().c_str(), nullptr, 10);
}

}  // namespace

CallCounts count_calls(const StraceLog& log, Trace& trace) {
    CallCounts counts;
    std::set<long> table_fds;  // open descriptors of the table file
    bool banner_begun = false;

    for (const TracedCall& call : log.calls) {
        const long fd = fd_of(call);
        if (call.name == "openat" && call.result >= 0 && call.args.size() >= 2) {
            // A descriptor number comes back for whatever is opened next.
            if (names_table(call.args[1]))
                table_fds.insert(call.result);
            else
                table_fds.erase(call.result);
        } else if (call.name == "close") {
            table_fds.erase(fd);
        }
        const bool is_read = call.name == "read";
        const bool is_write = call.name == "write";
        if (is_write && fd == 1) banner_begun = true;
        if (!is_read && !is_write) {
            if (banner_begun) ++counts.after_banner[call.name];
            continue;
        }

        const bool on_table = table_fds.count(fd) != 0;
        Stream stream;
        if (is_read && fd == 0) {
            ++counts.console_reads;
            stream = Stream::console_in;
        } else if (is_write && fd == 1) {
            ++counts.console_writes;
            stream = Stream::console_out;
        } else if (is_write && fd == 2) {
            ++counts.error_writes;
            stream = Stream::error_out;
        } else if (is_read && on_table) {
            ++counts.table_reads;
            stream = Stream::table_in;
        } else {
            ++(is_read ? counts.other_reads : counts.other_writes);
            if (banner_begun) ++counts.stray;
            continue;
        }
        const long size = requested(call);
        if (!banner_begun || size < 0 || size > largest_request)
            ++counts.stray;
        else
            trace.push_back(encode({stream, static_cast<std::uint16_t>(size)}));
    }
    return counts;
}

}  // namespace bench
