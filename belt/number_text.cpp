#include "belt/number_text.hpp"

#include "textio/real_from_text.hpp"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace fcbelt {

namespace {

// Magnitudes from 1e-3 up to 1e9 read best without an exponent.
constexpr int least_fixed_exponent = -3;
constexpr int greatest_fixed_exponent = significant_digits - 1;

std::string fixed_text(bool negative, const std::string& digits, int exponent) {
    std::string text = negative ? "-" : "";
    if (exponent < 0) {
        text += "0.";
        text.append(-exponent - 1, '0');
        text += digits;
    } else {
        text += digits.substr(0, exponent + 1);
        text += '.';
        text += digits.substr(exponent + 1);
    }
    return text;
}

std::string exponent_text(bool negative, const std::string& digits, int exponent) {
    char tail[16];
    std::snprintf(tail, sizeof tail, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    std::string text = negative ? "-" : "";
    text += digits.front();
    text += '.';
    text.append(digits, 1);
    text += tail;
    return text;
}

}  // namespace

std::string number_text(float value) {
    if (!std::isfinite(value)) throw std::invalid_argument("a table entry must be finite");
    if (value == 0) return "0." + std::string(significant_digits - 1, '0');

    // %e rounds once, to the digits kept; the layout is then only a matter
    // of where the point goes.
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.*e", significant_digits - 1, std::fabs(double(value)));
    const std::string scientific = buffer;
    std::string digits = scientific.substr(0, 1);
    digits.append(scientific, 2, significant_digits - 1);
    const int exponent = std::atoi(scientific.c_str() + scientific.find('e') + 1);
    // The largest REAL's nine digits round up past it, which the reader
    // refuses as out of range; cut off instead, they still read back to it.
    if (std::strtod(scientific.c_str(), nullptr) > FLT_MAX) --digits.back();

    const bool negative = value < 0;
    std::string text = exponent >= least_fixed_exponent && exponent <= greatest_fixed_exponent
                           ? fixed_text(negative, digits, exponent)
                           : exponent_text(negative, digits, exponent);
    if (read_number(text) != value) throw std::logic_error("number text does not read back: " + text);
    return text;
}

float read_number(const std::string& text) { return textio::real_from_text(text.data(), text.size()); }

}  // namespace fcbelt
