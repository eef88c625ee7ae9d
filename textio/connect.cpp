#include "textio/connect.hpp"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "textio/run_state.hpp"
#include "textio/stop.hpp"

namespace textio {

namespace {

// The cause of a refused open, as a stop:
//   ENOENT, ENOTDIR (a component of the path is missing, or is not a
//     directory: either way there is no file of that name)  -> file not found
//   EACCES, EPERM, EISDIR, ETXTBSY, EROFS, EBUSY, EAGAIN (permissions, a
//     directory of that name, a file in use or locked)      -> access denied
//   EMFILE, ENFILE                                          -> too many open files
//   anything else (EINVAL, ENAMETOOLONG, ELOOP, ENXIO, ENOMEM, ...)
//                                                           -> invalid request
IoStop stop_for_refusal(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR: return IoStop::open_file_not_found;
    case EACCES:
    case EPERM:
    case EISDIR:
    case ETXTBSY:
    case EROFS:
    case EBUSY:
    case EAGAIN: return IoStop::open_access_denied;
    case EMFILE:
    case ENFILE: return IoStop::open_too_many_files;
    default: return IoStop::open_invalid_request;
    }
}

// The table never takes the place of a closed standard stream: were it
// descriptor 0, 1 or 2, the queries would be read from it or the dialogue
// and the reports written into it. Returns the descriptor, now 3 or above,
// or -1 with errno telling why. A limit of three open files refuses
// descriptor 3 as out of range: that is too many open files too.
int above_standard_streams(int fd) {
    if (fd > STDERR_FILENO) return fd;
    const int moved = fcntl(fd, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
    const int error = errno == EINVAL ? EMFILE : errno;
    close(fd);
    errno = error;
    return moved;
}

bool is_named_pipe(const char* path) {
    struct stat status;
    return stat(path, &status) == 0 && S_ISFIFO(status.st_mode);
}

// The descriptor, or -1 with errno telling why. Linux opens a directory
// read-only without complaint; it is refused here as it is for the other
// access modes. A named pipe opened read-write would have the program for
// one of its writers, so its real writer's end would never show as the
// end of the file: it is refused too, for read-only access to take over.
// Write-only does not wait for a reader that may never come.
int open_with(const char* path, int access) {
    const int waiting = access == O_WRONLY ? O_NONBLOCK : 0;
    int fd;
    do {
        fd = open(path, access | waiting | O_CLOEXEC | O_NOCTTY);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return -1;
    struct stat status;
    if (fstat(fd, &status) == 0 &&
        (S_ISDIR(status.st_mode) || (S_ISFIFO(status.st_mode) && access == O_RDWR))) {
        close(fd);
        errno = S_ISDIR(status.st_mode) ? EISDIR : EACCES;
        return -1;
    }
    return above_standard_streams(fd);
}

// A named pipe is known before it is opened: its read-write open would
// let a writer waiting for a reader start, and that writer's bytes would
// be lost or refused when the descriptor is given up again.
int open_existing(const char* path) {
    const bool named_pipe = is_named_pipe(path);
    for (const int access : {O_RDWR, O_RDONLY, O_WRONLY}) {
        if (named_pipe && access == O_RDWR) continue;
        const int fd = open_with(path, access);
        if (fd >= 0) return fd;
    }
    io_stop(stop_for_refusal(errno));
}

std::string_view without_blanks(std::string_view name) {
    const std::size_t first = name.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return name.substr(first, name.find_last_not_of(' ') - first + 1);
}

// The unit and its name live as long as the process.
struct TableUnit {
    std::string name;
    InputUnit unit;
};

TableUnit& table() {
    static TableUnit table;
    return table;
}

void keep_name(std::string_view name) {
    allocate_or_stop([&] { table().name.assign(name); });
}

}  // namespace

InputUnit& connect_table(std::string_view file_name) {
    TableUnit& t = table();
    RunState& state = run_state();
    if (state.table_fd >= 0) close(state.table_fd);  // a connection made again replaces the last
    state.table_fd = -1;

    keep_name(without_blanks(file_name));
    begin_statement(StatementWord::open, t.name.c_str());
    t.unit = make_input_unit(-1, t.name.c_str(), table_block, false, false);
    t.unit.fd = open_existing(t.name.c_str());
    state.table_fd = t.unit.fd;
    end_statement();
    return t.unit;
}

}  // namespace textio
