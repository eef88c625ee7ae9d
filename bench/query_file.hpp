#pragma once

// The benchmark's input: one query "x sigma(x)" per line, with varied
// values and the number forms a user types.

#include <cstddef>
#include <string>

namespace bench {

// Writes count queries to path and returns the size of the file, or -1 when
// it cannot be written. The same count always gives the same file.
long write_query_file(const std::string& path, std::size_t count);

}  // namespace bench
