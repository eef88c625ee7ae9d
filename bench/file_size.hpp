#pragma once

// The size of a file in bytes, or -1 when it cannot be found.

#include <sys/stat.h>

#include <string>

namespace bench {

inline long file_size(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 ? static_cast<long>(st.st_size) : -1;
}

}  // namespace bench
