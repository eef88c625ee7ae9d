#include "textio/fd_write.hpp"

#include <unistd.h>

#include "textio/fd_ready.hpp"

namespace textio {

int write_all(int fd, const char* bytes, std::size_t size) {
    while (size > 0) {
        const ssize_t n = write(fd, bytes, size);
        if (n > 0) {
            bytes += n;
            size -= static_cast<std::size_t>(n);
            continue;
        }
        if (n == 0) return EIO;
        if (errno == EINTR) continue;
        if (!would_block(errno)) return errno;
        wait_until_ready(fd, POLLOUT);
    }
    return 0;
}

}  // namespace textio
