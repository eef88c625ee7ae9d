// fcgauss: exact Feldman-Cousins intervals for the mean of a Gaussian
// bounded below by zero, at any confidence level, for the shell and for
// scripts. No table: every end is computed from the belt itself.
//
//   fcgauss [--cl LIST] [--format text|csv|json] X SIGMA [X SIGMA ...]
//   fcgauss [--cl LIST] [--format text|csv|json] -f FILE     (- for standard input)

#include "belt/confidence.hpp"
#include "belt/decimal_number.hpp"
#include "belt/interval_report.hpp"
#include "belt/level_list.hpp"
#include "belt/line_source.hpp"
#include "belt/measurement.hpp"
#include "textio/fd_write.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace fcbelt;

constexpr int all_answered = 0;
constexpr int some_refused = 1;
constexpr int could_not_run = 2;  // a usage error, or input or output that failed

constexpr char usage_text[] =
    "usage: fcgauss [--cl LIST] [--format text|csv|json] X SIGMA [X SIGMA ...]\n"
    "       fcgauss [--cl LIST] [--format text|csv|json] -f FILE\n"
    "       fcgauss --help\n";

constexpr char help_text[] =
    "fcgauss: Feldman-Cousins confidence intervals for the mean mu >= 0 of a\n"
    "Gaussian, from a measured mean x and its standard deviation sigma. Every\n"
    "end is computed exactly (to 1e-9 sigma, or 1e-12 relative when larger),\n"
    "at any confidence level and any x / sigma; no table is read.\n"
    "\n"
    "usage: fcgauss [--cl LIST] [--format text|csv|json] X SIGMA [X SIGMA ...]\n"
    "       fcgauss [--cl LIST] [--format text|csv|json] -f FILE\n"
    "\n"
    "  X SIGMA ...      measurements given as arguments, in pairs\n"
    "  -f FILE          measurements from FILE (- for standard input), one a\n"
    "                   line: x and sigma separated by blanks, tabs or one\n"
    "                   comma; blank lines and lines starting with # are skipped\n"
    "  --cl LIST        confidence levels, comma-separated: fractions (0.9) or\n"
    "                   percentages (90 or 90%), strictly between 0 and 1;\n"
    "                   default: 0.6826894921370859 (erf(1/sqrt 2)),0.9,0.95,0.99\n"
    "  --format FORMAT  text (default): a block per measurement, for people;\n"
    "                   csv: header x,sigma,cl,lower,upper, a row per\n"
    "                   measurement and level; json: an array of objects with\n"
    "                   those keys. Numbers are the shortest text that reads\n"
    "                   back to the same double.\n"
    "  -h, --help       this text\n"
    "\n"
    "sigma must be positive and finite, x finite. A line or pair that is not\n"
    "gets one message on standard error, with its line or argument number;\n"
    "the others are answered all the same.\n"
    "\n"
    "Exit status: 0 when everything was answered, 1 when a line or pair was\n"
    "refused, 2 for a usage error or input or output that failed.\n";

void write_error(const std::string& text) { textio::write_all(STDERR_FILENO, text.data(), text.size()); }

[[noreturn]] void fail(const std::string& problem) {
    write_error("fcgauss: " + problem + "\n");
    std::exit(could_not_run);
}

[[noreturn]] void fail_usage(const std::string& problem) {
    write_error("fcgauss: " + problem + "\n" + usage_text);
    std::exit(could_not_run);
}

// Standard output, gathered into large writes.
class Output {
public:
    std::string text;

    void flush() {
        if (text.empty()) return;
        if (const int error = textio::write_all(STDOUT_FILENO, text.data(), text.size()))
            fail(std::string("cannot write the results: ") + std::strerror(error));
        text.clear();
    }
    void flush_when_full() {
        if (text.size() >= 1 << 16) flush();
    }
};

struct Options {
    Format format = Format::text;
    std::vector<Level> levels = default_levels();
    const char* file = nullptr;  // -f's argument
    std::vector<int> values;     // where the X SIGMA arguments are in argv
};

// An option's value: the rest of "--cl=LIST", or the next argument.
const char* option_value(int argc, char** argv, int& i, std::string_view name) {
    const std::string_view arg = argv[i];
    if (arg.size() > name.size() && arg[name.size()] == '=') return argv[i] + name.size() + 1;
    if (++i >= argc) fail_usage(std::string(name) + " needs a value");
    return argv[i];
}

bool is_option(std::string_view arg, std::string_view name) {
    return arg == name || (arg.size() > name.size() && arg.substr(0, name.size()) == name && arg[name.size()] == '=');
}

// A minus sign followed by a number (-1.5, -inf) is a value, not an option.
bool looks_like_option(std::string_view arg) {
    return arg.size() > 1 && arg[0] == '-' && read_decimal(arg).problem == NumberProblem::not_a_number;
}

Options read_options(int argc, char** argv) {
    Options options;
    bool options_ended = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (options_ended || !looks_like_option(arg)) {
            options.values.push_back(i);
        } else if (arg == "--") {
            options_ended = true;
        } else if (arg == "-h" || arg == "--help") {
            Output help;
            help.text = help_text;
            help.flush();
            std::exit(all_answered);
        } else if (arg == "-f") {
            if (options.file) fail_usage("-f given twice");
            if (++i >= argc) fail_usage("-f needs a file name (- for standard input)");
            options.file = argv[i];
        } else if (is_option(arg, "--cl")) {
            LevelList list = read_level_list(option_value(argc, argv, i, "--cl"));
            if (!list.problem.empty()) fail_usage(list.problem);
            options.levels = std::move(list.levels);
        } else if (is_option(arg, "--format")) {
            const char* name = option_value(argc, argv, i, "--format");
            if (!read_format(name, options.format)) fail_usage("--format: " + quoted(name) + " is none of text, csv and json");
        } else {
            fail_usage("unknown option " + quoted(arg));
        }
    }
    if (options.file && !options.values.empty()) fail_usage("give measurements either as arguments or with -f, not both");
    if (!options.file && options.values.empty()) fail_usage("no measurements");
    return options;
}

// One run: the measurements answered in order, the refused ones reported.
class Run {
public:
    explicit Run(const Options& options) : options_(options), report_(options.format) {
        intervals_.resize(options.levels.size());
        report_.begin(out_.text);
    }

    Output& output() { return out_; }

    void take(const MeasurementReading& reading, const std::string& where) {
        if (reading.kind == MeasurementReading::refused) return refuse(where, reading.problem);
        if (reading.kind == MeasurementReading::measurement) answer(reading.value, where);
    }

    void refuse(const std::string& where, const std::string& problem) {
        refused_any_ = true;
        out_.flush();  // so that the message stands after the answers before it
        write_error("fcgauss: " + where + ": " + problem + "\n");
    }

    int finish() {
        report_.end(out_.text);
        out_.flush();
        return refused_any_ ? some_refused : all_answered;
    }

private:
    void answer(const Measurement& m, const std::string& where) {
        for (std::size_t i = 0; i < options_.levels.size(); ++i) {
            intervals_[i] = measured_interval(m.x, m.sigma, options_.levels[i]);
            if (!std::isfinite(intervals_[i].upper) || !std::isfinite(intervals_[i].lower))
                return refuse(where, "an end of the interval lies beyond the largest double");
        }
        report_.add(out_.text, m, options_.levels, intervals_);
        out_.flush_when_full();
    }

    const Options& options_;
    IntervalReport report_;
    Output out_;
    std::vector<Interval> intervals_;
    bool refused_any_ = false;
};

int answer_arguments(const Options& options, char** argv) {
    Run run(options);
    const std::vector<int>& at = options.values;
    for (std::size_t i = 0; i < at.size(); i += 2) {
        const std::string where = "argument " + std::to_string(at[i]);
        if (i + 1 == at.size())
            run.refuse(where, "x " + quoted(argv[at[i]]) + " has no sigma after it");
        else
            run.take(read_measurement(argv[at[i]], argv[at[i + 1]]), where);
    }
    return run.finish();
}

int answer_file(const Options& options) {
    const std::string_view name = options.file;
    const int fd = name == "-" ? STDIN_FILENO : open(options.file, O_RDONLY | O_CLOEXEC);
    if (fd < 0) fail("cannot open " + std::string(name) + ": " + std::strerror(errno));

    Run run(options);
    LineSource source(fd, [&run] { run.output().flush(); });
    Line line;
    for (long long number = 1; source.next(line); ++number) {
        const std::string where = "line " + std::to_string(number);
        if (line.too_long)
            run.refuse(where, "longer than " + std::to_string(longest_line) + " bytes");
        else
            run.take(read_measurement_line(line.text), where);
    }
    if (source.error() != 0) {
        run.output().flush();
        fail("cannot read " + std::string(name == "-" ? "standard input" : name) + ": " + std::strerror(source.error()));
    }
    return run.finish();
}

}  // namespace

int main(int argc, char** argv) {
    const Options options = read_options(argc, argv);
    return options.file ? answer_file(options) : answer_arguments(options, argv);
}
