#include "belt/interval_report.hpp"

#include "belt/decimal_number.hpp"

#include <array>

namespace fcbelt {

namespace {

// Wide enough for the longest shortest text of a double, 24 characters,
// and a gap, so that the columns line up whatever the numbers.
constexpr std::size_t cl_column = 25;
constexpr std::size_t lower_column = 26;

void pad_to(std::string& out, std::size_t line_start, std::size_t column) {
    const std::size_t used = out.size() - line_start;
    out.append(used < column ? column - used : 1, ' ');
}

std::string text_of(double value) {
    std::string text;
    append_number(text, value);
    return text;
}

// One line of a block: an indent, then the level, the lower and the upper
// end, each column starting at the same place on every line.
void add_text_row(std::string& out, std::string_view cl, std::string_view lower, std::string_view upper) {
    const std::size_t line_start = out.size();
    out += "  ";
    out += cl;
    pad_to(out, line_start, 2 + cl_column);
    out += lower;
    pad_to(out, line_start, 2 + cl_column + lower_column);
    out += upper;
    out += '\n';
}

void add_text_block(std::string& out, const Measurement& m, const std::vector<Level>& levels,
                    const std::vector<Interval>& intervals, bool first) {
    if (!first) out += '\n';
    out += "x = " + text_of(m.x) + ", sigma = " + text_of(m.sigma) + "\n";
    add_text_row(out, "cl", "lower", "upper");
    for (std::size_t i = 0; i < levels.size(); ++i)
        add_text_row(out, text_of(levels[i].cl), text_of(intervals[i].lower), text_of(intervals[i].upper));
}

// The five numbers of one measurement at one level, each after its own
// text: the separators of a csv row, the keys of a json object.
using FieldTexts = std::array<const char*, 5>;

void add_fields(std::string& out, const FieldTexts& before, const Measurement& m, const Level& level,
                const Interval& interval) {
    const double values[] = {m.x, m.sigma, level.cl, interval.lower, interval.upper};
    for (std::size_t i = 0; i < before.size(); ++i) {
        out += before[i];
        append_number(out, values[i]);
    }
}

void add_csv_rows(std::string& out, const Measurement& m, const std::vector<Level>& levels,
                  const std::vector<Interval>& intervals) {
    for (std::size_t i = 0; i < levels.size(); ++i) {
        add_fields(out, {"", ",", ",", ",", ","}, m, levels[i], intervals[i]);
        out += '\n';
    }
}

void add_json_objects(std::string& out, const Measurement& m, const std::vector<Level>& levels,
                      const std::vector<Interval>& intervals, bool first) {
    for (std::size_t i = 0; i < levels.size(); ++i) {
        out += first && i == 0 ? "\n" : ",\n";
        add_fields(out, {"{\"x\":", ",\"sigma\":", ",\"cl\":", ",\"lower\":", ",\"upper\":"}, m, levels[i],
                   intervals[i]);
        out += '}';
    }
}

}  // namespace

bool read_format(std::string_view name, Format& format) {
    if (name == "text") format = Format::text;
    else if (name == "csv") format = Format::csv;
    else if (name == "json") format = Format::json;
    else return false;
    return true;
}

void IntervalReport::begin(std::string& out) {
    if (format_ == Format::csv) out += "x,sigma,cl,lower,upper\n";
    if (format_ == Format::json) out += '[';
}

void IntervalReport::add(std::string& out, const Measurement& m, const std::vector<Level>& levels,
                         const std::vector<Interval>& intervals) {
    switch (format_) {
        case Format::text: add_text_block(out, m, levels, intervals, first_); break;
        case Format::csv: add_csv_rows(out, m, levels, intervals); break;
        case Format::json: add_json_objects(out, m, levels, intervals, first_); break;
    }
    first_ = false;
}

void IntervalReport::end(std::string& out) {
    if (format_ == Format::json) out += first_ ? "]\n" : "\n]\n";
}

}  // namespace fcbelt
