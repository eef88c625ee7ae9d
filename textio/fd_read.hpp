#pragma once

// One read request on a file descriptor, as the input units make it.

#include <cstddef>

namespace textio {

// Reads up to count bytes into dst and returns how many came (0 at the end
// of the input). An interrupted request is made again, and one that would
// have to wait waits; any other failure stops the statement (read failure).
std::size_t read_request(int fd, char* dst, std::size_t count);

}  // namespace textio
