#include "textio/value_text.hpp"

#include "textio/stop.hpp"

namespace textio {

namespace {
// Longer than any value a typed line or a table record normally holds.
constexpr std::size_t usual_room = 260;
}

void ValueText::grow() {
    allocate_or_stop([&] { chars.resize(chars.empty() ? usual_room : 2 * chars.size()); });
}

ValueText& value_text() {
    static ValueText text;
    return text;
}

}  // namespace textio
