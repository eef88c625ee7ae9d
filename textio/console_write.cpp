#include "textio/console_write.hpp"

#include <errno.h>
#include <unistd.h>

#include "textio/fd_write.hpp"
#include "textio/stop.hpp"

namespace textio {

void write_console_record(const char* bytes, std::size_t size) {
    switch (write_all(STDOUT_FILENO, bytes, size)) {
    case ENOSPC:
    case EDQUOT: io_stop(IoStop::write_no_space);
    case EACCES:
    case EPERM: io_stop(IoStop::write_access_denied);
    default: return;
    }
}

void write_line_break() { write_all(STDOUT_FILENO, "\r\n", 2); }

}  // namespace textio
