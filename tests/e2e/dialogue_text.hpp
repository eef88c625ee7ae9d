#pragma once

// The program's own texts as the end-to-end tests expect them on
// standard output and standard error.

#include <string>

namespace e2e {

inline const std::string crlf = "\r\n";

inline const std::string banner = std::string("  ") +
    crlf + "    Estimation of lower and upper limits on effect in accordance" +
    crlf + "       with the Feldman-Cousins procedure (PRD 57(1998)3873)" +
    crlf + "                    for the mean of a Gaussian" +
    crlf + std::string(26, ' ') + "Norvex v1.0.0" +
    crlf + "  " +
    crlf + "x        - measured mean of a Gaussian" +
    crlf + "sigma(x) - its sigma";

inline const std::string prompt_text = "x,sigma(x) : ";
inline const std::string prompt = crlf + crlf + prompt_text;   // the slash's line end, then the prompt

// The ordinary end of a run: the console input has ended.
inline const std::string end_of_input_report = crlf + "run-time error F6501: READ(CON)" + crlf + "- end of file" + crlf;

inline bool ends_with(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace e2e
