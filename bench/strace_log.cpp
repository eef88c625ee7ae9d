#include "bench/strace_log.hpp"

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace bench {

namespace {

// Commas inside quotes, brackets or braces belong to one argument.
std::vector<std::string> split_args(const std::string& text) {
    std::vector<std::string> args;
    std::string current;
    int depth = 0;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '\\' && i + 1 < text.size()) current += text[i++];
            else if (c == '"') quoted = false;
        } else if (c == '"') {
            quoted = true;
        } else if (c == '(' || c == '[' || c == '{') {
            ++depth;
        } else if (c == ')' || c == ']' || c == '}') {
            --depth;
        } else if (c == ',' && depth == 0) {
            args.push_back(current);
            current.clear();
            if (i + 1 < text.size() && text[i + 1] == ' ') ++i;
            continue;
        }
        current += c;
    }
    if (!current.empty()) args.push_back(current);
    return args;
}

// "name(args) = result ..." ; the result may be followed by an error name
// and its text in parentheses, so the split is at the last " = ".
bool parse_call(const std::string& line, TracedCall& call) {
    const std::size_t open = line.find('(');
    const std::size_t equals = line.rfind(" = ");
    if (open == std::string::npos || equals == std::string::npos || open == 0) return false;
    const std::size_t close = line.rfind(')', equals);
    if (close == std::string::npos || close < open) return false;
    for (std::size_t i = 0; i < open; ++i)
        if (!(std::isalnum(static_cast<unsigned char>(line[i])) || line[i] == '_')) return false;
    call.name = line.substr(0, open);
    call.args = split_args(line.substr(open + 1, close - open - 1));
    call.result = std::strtol(line.c_str() + equals + 3, nullptr, 0);
    return true;
}

// "% time  seconds  usecs/call  calls  [errors]  syscall": the count is
// the fourth column and the name the last.
void parse_summary_row(const std::string& line, StraceLog& log) {
    std::istringstream in(line);
    std::vector<std::string> cols;
    for (std::string word; in >> word;) cols.push_back(word);
    if (cols.size() < 5 || cols.back() == "total") return;
    log.summary[cols.back()] = std::strtol(cols[3].c_str(), nullptr, 10);
}

}  // namespace

bool read_strace_log(const std::string& path, StraceLog& log) {
    std::ifstream in(path);
    if (!in) return false;
    bool in_summary = false;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("% time", 0) == 0) {
            in_summary = true;
            continue;
        }
        if (in_summary) {
            if (line.rfind("---", 0) != 0) parse_summary_row(line, log);
            continue;
        }
        TracedCall call;
        if (parse_call(line, call)) log.calls.push_back(std::move(call));
    }
    return true;
}

}  // namespace bench
