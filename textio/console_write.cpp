#include "textio/console_write.hpp"

#include <errno.h>
#include <unistd.h>

#include "textio/stop.hpp"

namespace textio {

void write_console_record(const char* bytes, std::size_t size) {
    while (size > 0) {
        const ssize_t n = write(STDOUT_FILENO, bytes, size);
        if (n > 0) {
            bytes += n;
            size -= static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == ENOSPC || errno == EDQUOT)) io_stop(IoStop::write_no_space);
        if (n < 0 && (errno == EACCES || errno == EPERM)) io_stop(IoStop::write_access_denied);
        return;
    }
}

void write_line_break() {
    const ssize_t n = write(STDOUT_FILENO, "\r\n", 2);
    (void)n;
}

}  // namespace textio
