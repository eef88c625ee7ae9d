#pragma once

// A formatted write statement on the console with no items: the prompt.

#include "textio/write_format.hpp"

namespace textio {

// Carries out the format's pieces left to right, each record going out as
// it ends. A dollar sign anywhere in it holds the line after the last
// record, so the reply is typed on the same line.
void formatted_write(const WriteFormat& format);

}  // namespace textio
