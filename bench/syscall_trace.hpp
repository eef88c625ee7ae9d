#pragma once

// The read and write requests of one run of norvex, in order, as the floor
// program replays them: two bytes per request, the stream in the top two
// bits and the byte count asked for in the rest.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace bench {

enum class Stream : std::uint16_t {
    console_in = 0,   // read(0, ...)
    console_out = 1,  // write(1, ...)
    error_out = 2,    // write(2, ...)
    table_in = 3,     // read of the table file
};

struct Request {
    Stream stream;
    std::uint16_t size;
};

inline constexpr std::uint16_t largest_request = 0x3fff;

// The file a table_in request reads, in the directory the run is in.
inline constexpr char table_name[] = "fc_tab10.dat";

inline std::uint16_t encode(Request r) {
    return static_cast<std::uint16_t>(static_cast<std::uint16_t>(r.stream) << 14 | r.size);
}

inline Request decode(std::uint16_t code) {
    return {static_cast<Stream>(code >> 14), static_cast<std::uint16_t>(code & largest_request)};
}

using Trace = std::vector<std::uint16_t>;

// A trace file mapped read-only, its pages in place before the first
// request: loading it costs the floor next to nothing, where copying a
// long trace into fresh memory would fault on every page.
struct TraceView {
    const std::uint16_t* codes = nullptr;
    std::size_t size = 0;
};

// Both go straight through the system calls (open and write, or mmap), so
// the floor program loads its trace without pulling in any buffered I/O.
// A file that cannot be written, or read, or is not a trace, gives false.
// A mapped trace stays mapped until the process ends.
bool save_trace(const char* path, const Trace& trace);
bool map_trace(const char* path, TraceView& view);

}  // namespace bench
