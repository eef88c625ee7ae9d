#include "textio/carriage_control.hpp"

namespace textio {

std::string_view line_break(char control, bool line_open) {
    switch (control) {
    case '0': return line_open ? "\r\n\r\n" : "\r\n";
    case '1': return "\r\n\f\r \r";
    case '+': return "\r";
    default: return line_open ? "\r\n" : "";
    }
}

}  // namespace textio
