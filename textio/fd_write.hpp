#pragma once

// Writing bytes out whole on a file descriptor, as the console records and
// the stop reports need it.

#include <cstddef>

namespace textio {

// Writes all size bytes, taking up what a short or interrupted request
// left and waiting while a non-blocking descriptor is full. Returns 0 when
// everything went, otherwise the errno of the failure that stopped it.
// Async-signal-safe: the stop path uses it.
int write_all(int fd, const char* bytes, std::size_t size);

}  // namespace textio
