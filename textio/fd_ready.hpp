#pragma once

// Standard input and output may come non-blocking from whoever started the
// program; then a request that would have to wait fails with EAGAIN
// instead. The program waits for the descriptor as a blocking one would:
// input that is merely slow is not the end of the input, and output that
// is merely slow to drain is not lost.

#include <errno.h>
#include <poll.h>

namespace textio {

inline bool would_block(int error) { return error == EAGAIN || error == EWOULDBLOCK; }

// Waits until fd is ready for events (POLLIN or POLLOUT), or something
// has happened to it that the next request will report.
inline void wait_until_ready(int fd, short events) {
    pollfd p{fd, events, 0};
    while (poll(&p, 1, -1) < 0 && errno == EINTR) {
    }
}

}  // namespace textio
