#include "bench/syscall_trace.hpp"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstring>

namespace bench {

namespace {

constexpr char magic[8] = {'N', 'V', 'X', 'T', 'R', 'C', '1', '\n'};

bool write_all(int fd, const void* data, std::size_t size) {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = write(fd, p, size);
        if (n <= 0) return false;
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

bool save_trace(const char* path, const Trace& trace) {
    const int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return false;
    const bool ok = write_all(fd, magic, sizeof magic) &&
                    write_all(fd, trace.data(), trace.size() * sizeof trace[0]);
    return close(fd) == 0 && ok;
}

bool map_trace(const char* path, TraceView& view) {
    const int fd = open(path, O_RDONLY);
    if (fd < 0) return false;
    const off_t size = lseek(fd, 0, SEEK_END);
    void* map = size > 0 ? mmap(nullptr, static_cast<std::size_t>(size), PROT_READ,
                                MAP_PRIVATE | MAP_POPULATE, fd, 0)
                         : MAP_FAILED;
    close(fd);
    if (map == MAP_FAILED) return false;
    const char* bytes = static_cast<const char*>(map);
    const std::size_t body = static_cast<std::size_t>(size) - sizeof magic;
    if (static_cast<std::size_t>(size) < sizeof magic || body % sizeof(std::uint16_t) != 0 ||
        std::memcmp(bytes, magic, sizeof magic) != 0) {
        munmap(map, static_cast<std::size_t>(size));
        return false;
    }
    // The header keeps the codes on an even address.
    view.codes = reinterpret_cast<const std::uint16_t*>(bytes + sizeof magic);
    view.size = body / sizeof(std::uint16_t);
    return true;
}

}  // namespace bench
