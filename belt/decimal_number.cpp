#include "belt/decimal_number.hpp"

#include <charconv>
#include <cmath>
#include <system_error>

namespace fcbelt {

DecimalNumber read_decimal(std::string_view text) {
    // std::from_chars takes a minus sign but no plus.
    std::string_view digits = text;
    if (digits.size() > 1 && digits[0] == '+' && digits[1] != '-') digits.remove_prefix(1);
    DecimalNumber number;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), number.value, std::chars_format::general);
    if (error == std::errc::result_out_of_range && end == digits.data() + digits.size())
        number.problem = NumberProblem::out_of_range;
    else if (error != std::errc{} || end != digits.data() + digits.size())
        number.problem = NumberProblem::not_a_number;
    else if (!std::isfinite(number.value))
        number.problem = NumberProblem::not_finite;
    return number;
}

const char* problem_text(NumberProblem problem) {
    switch (problem) {
        case NumberProblem::none: return "is a number";
        case NumberProblem::not_a_number: return "is not a number";
        case NumberProblem::out_of_range: return "is out of the range of a double";
        case NumberProblem::not_finite: return "is not a finite number";
    }
    return "";
}

std::string quoted(std::string_view text) {
    constexpr std::size_t longest = 40;
    std::string shown = "\"";
    for (const char c : text.substr(0, longest)) shown += c >= ' ' && c <= '~' ? c : '?';
    if (text.size() > longest) shown += "...";
    return shown + "\"";
}

void append_number(std::string& out, double value) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    out.append(buffer, end);
}

}  // namespace fcbelt
