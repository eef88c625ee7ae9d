#pragma once

// fcgauss's output: for each measurement, its x and sigma and, for each
// level, the interval's ends. Every number is the shortest text that
// reads back to the same double.
//
//   text  an aligned block per measurement, for people
//   csv   the header x,sigma,cl,lower,upper and a row per measurement and level
//   json  one array of objects with those keys

#include "belt/confidence.hpp"
#include "belt/measurement.hpp"

#include <string>
#include <string_view>
#include <vector>

namespace fcbelt {

enum class Format { text, csv, json };

// false for a name that is none of text, csv and json.
bool read_format(std::string_view name, Format& format);

class IntervalReport {
public:
    explicit IntervalReport(Format format) : format_(format) {}

    void begin(std::string& out);
    // intervals[i] belongs to levels[i].
    void add(std::string& out, const Measurement& m, const std::vector<Level>& levels,
             const std::vector<Interval>& intervals);
    void end(std::string& out);

private:
    Format format_;
    bool first_ = true;
};

}  // namespace fcbelt
