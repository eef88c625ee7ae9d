#include "calc/dialogue.hpp"

#include <string_view>

#include "textio/formatted_write.hpp"
#include "textio/list_write.hpp"

namespace norvex {

namespace {

// One list-directed record of character constants, each exactly as long
// as written here: leading and trailing blanks belong to them.
void write_record(std::string_view first, std::string_view second = {}) {
    textio::ListWrite record;
    record.character(first);
    if (!second.empty()) record.character(second);
    record.end();
}

}  // namespace

void write_banner() {
    write_record("  ");
    write_record("    Estimation of lower and upper limits on effect", " in accordance");
    write_record("       with the Feldman-Cousins procedure", " (PRD 57(1998)3873)");
    write_record("                    for the mean of a Gaussian");
    write_record("                          Norvex v1.0.0");
    write_record("  ");
    write_record("x        - measured mean of a Gaussian");
    write_record("sigma(x) - its sigma");
}

namespace {
// Scanned once, when the program is compiled.
constexpr textio::WriteFormat prompt_format("(/,' x,sigma(x) : ',$)");
}  // namespace

void write_prompt() { textio::formatted_write(prompt_format); }

}  // namespace norvex
