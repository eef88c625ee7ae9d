#include "belt/measurement.hpp"

#include "belt/decimal_number.hpp"

#include <cmath>
#include <vector>

namespace fcbelt {

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }

MeasurementReading refusal(std::string problem) { return {MeasurementReading::refused, {}, std::move(problem)}; }

// The fields of a line, and whether a separator held more than one comma
// or a comma stood at either end.
struct Fields {
    std::vector<std::string_view> texts;
    bool stray_comma = false;
};

Fields split_fields(std::string_view line) {
    Fields fields;
    std::size_t i = 0;
    bool comma_allowed = false;  // none before the first field
    while (i < line.size()) {
        int commas = 0;
        for (; i < line.size() && (is_blank(line[i]) || line[i] == ','); ++i) commas += line[i] == ',';
        if (commas > (comma_allowed && i < line.size() ? 1 : 0)) fields.stray_comma = true;
        const std::size_t start = i;
        while (i < line.size() && !is_blank(line[i]) && line[i] != ',') ++i;
        if (i > start) fields.texts.push_back(line.substr(start, i - start));
        comma_allowed = true;
    }
    return fields;
}

}  // namespace

MeasurementReading read_measurement(std::string_view x_text, std::string_view sigma_text) {
    const DecimalNumber x = read_decimal(x_text);
    if (x.problem != NumberProblem::none) return refusal("x " + quoted(x_text) + " " + problem_text(x.problem));
    const DecimalNumber sigma = read_decimal(sigma_text);
    if (sigma.problem != NumberProblem::none)
        return refusal("sigma " + quoted(sigma_text) + " " + problem_text(sigma.problem));
    if (!(sigma.value > 0)) return refusal("sigma " + quoted(sigma_text) + " is not positive");
    return {MeasurementReading::measurement, {x.value, sigma.value}, ""};
}

MeasurementReading read_measurement_line(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const auto first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos || line[first] == '#') return {MeasurementReading::skipped, {}, ""};

    const Fields fields = split_fields(line);
    if (fields.texts.size() != 2) {
        const std::size_t count = fields.texts.size();
        std::string problem = std::to_string(count) + (count == 1 ? " value" : " values") + " where x and sigma belong";
        if (line.find(',') != std::string_view::npos) problem += " (a decimal comma? write 1.2 0.5)";
        return refusal(problem);
    }
    if (fields.stray_comma) return refusal("x and sigma are separated by blanks, tabs or one comma");
    return read_measurement(fields.texts[0], fields.texts[1]);
}

}  // namespace fcbelt
