#include "belt/level_list.hpp"

#include "belt/decimal_number.hpp"

#include <charconv>
#include <limits>

namespace fcbelt {

namespace {

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A percentage's text with its decimal exponent lowered by two, so that
// 68.27 becomes the double nearest 0.6827, rounded once.
DecimalNumber read_percentage(std::string_view text) {
    const auto e = text.find_first_of("eE");
    long long exponent = 0;
    if (e != std::string_view::npos) {
        std::string_view power = text.substr(e + 1);
        if (!power.empty() && power[0] == '+') power.remove_prefix(1);
        const auto [end, error] = std::from_chars(power.data(), power.data() + power.size(), exponent);
        if (error != std::errc{} || end != power.data() + power.size() ||
            exponent < std::numeric_limits<long long>::min() + 2)
            return {0, NumberProblem::out_of_range};
    }
    return read_decimal(std::string(text.substr(0, e)) + "e" + std::to_string(exponent - 2));
}

std::string level_problem(std::string_view item, const char* what) {
    return "--cl: " + quoted(item) + " " + what + " (a level is a fraction such as 0.9 or a percentage such as 90 or 90%)";
}

}  // namespace

LevelList read_level_list(std::string_view list) {
    LevelList result;
    for (std::size_t start = 0;;) {
        const std::size_t comma = list.find(',', start);
        const std::string_view item = trimmed(list.substr(start, comma - start));
        std::string_view number = item;
        const bool percent_sign = !number.empty() && number.back() == '%';
        if (percent_sign) number.remove_suffix(1);

        DecimalNumber cl = read_decimal(number);
        if (cl.problem == NumberProblem::none && (percent_sign || cl.value >= 1)) cl = read_percentage(number);
        if (cl.problem != NumberProblem::none) {
            result.problem = level_problem(item, problem_text(cl.problem));
            return result;
        }
        if (!(cl.value > 0 && cl.value < 1)) {
            result.problem = level_problem(item, "is not strictly between 0 and 100 %");
            return result;
        }
        result.levels.push_back(level_with_content(cl.value));
        if (comma == std::string_view::npos) return result;
        start = comma + 1;
    }
}

// Their alpha, too, is 1 - cl of the double printed, so that a level
// named in --cl gives the same ends as the same level by default.
std::vector<Level> default_levels() {
    std::vector<Level> all;
    for (const Level& level : levels()) all.push_back(level_with_content(level.cl));
    return all;
}

}  // namespace fcbelt
