#include "textio/fd_read.hpp"

#include <errno.h>
#include <fcntl.h>
#include <unistd.h>

#include "textio/fd_ready.hpp"
#include "textio/stop.hpp"

namespace textio {

namespace {

// A descriptor that is not open at all has nothing to give: it reads as an
// input at its end. One that is open but refuses reading (write-only) fails.
bool is_closed(int fd) { return fcntl(fd, F_GETFD) == -1 && errno == EBADF; }

}  // namespace

std::size_t read_request(int fd, char* dst, std::size_t count) {
    for (;;) {
        const ssize_t n = read(fd, dst, count);
        if (n >= 0) return static_cast<std::size_t>(n);
        if (would_block(errno)) {
            wait_until_ready(fd, POLLIN);
            continue;
        }
        if (errno == EBADF && is_closed(fd)) return 0;
        if (errno != EINTR) io_stop(IoStop::read_failure);
    }
}

}  // namespace textio
