#include "textio/fd_read.hpp"

#include <errno.h>
#include <unistd.h>

#include "textio/fd_ready.hpp"
#include "textio/stop.hpp"

namespace textio {

std::size_t read_request(int fd, char* dst, std::size_t count) {
    for (;;) {
        const ssize_t n = read(fd, dst, count);
        if (n >= 0) return static_cast<std::size_t>(n);
        if (would_block(errno)) {
            wait_until_ready(fd, POLLIN);
            continue;
        }
        if (errno != EINTR) io_stop(IoStop::read_failure);
    }
}

}  // namespace textio
