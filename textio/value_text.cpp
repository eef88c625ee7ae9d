#include "textio/value_text.hpp"

#include <new>

#include "textio/stop.hpp"

namespace textio {

namespace {
// Longer than any value a typed line or a table record normally holds.
constexpr std::size_t usual_room = 260;
}

void ValueText::grow() {
    bool allocated = true;
    try {
        chars.resize(chars.empty() ? usual_room : 2 * chars.size());
    } catch (const std::bad_alloc&) {
        allocated = false;
    }
    if (!allocated) io_stop(IoStop::out_of_memory);
}

ValueText& value_text() {
    static ValueText text;
    return text;
}

}  // namespace textio
