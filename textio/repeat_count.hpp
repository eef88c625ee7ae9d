#pragma once

// The repeat count of a list-directed value: the text before its asterisk.

#include <cstddef>
#include <cstdint>

namespace textio {

// Reads a count in decimal ("3") or radix form ("16#A", "#A" for base 16,
// "2#101"), after an optional plus sign. An empty text or a lone plus sign
// is 0 (the caller refuses it). A minus sign is refused as an invalid
// count rather than read as an all but endless repetition. Stops with
// invalid repeat count, repeat count overflow or invalid radix form.
std::uint32_t repeat_count(const char* text, std::size_t size);

}  // namespace textio
