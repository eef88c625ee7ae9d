// Norvex: confidence intervals for the mean of a Gaussian bounded below by
// zero, by the Feldman–Cousins procedure, interpolated in a precomputed
// belt. It answers queries until its input ends or a value cannot be
// read; every end is a run-time stop with exit status 1.

#include "calc/belt_table.hpp"
#include "calc/dialogue.hpp"
#include "calc/query.hpp"
#include "textio/input_unit.hpp"
#include "textio/start_up.hpp"

namespace {

// Static for the life of the process, zero until first written.
norvex::BeltTable belt;
norvex::Measurement measurement;
norvex::Limits limits;

}  // namespace

int main() {
    textio::start_run();

    norvex::write_banner();
    norvex::load_belt_table(belt);
    for (;;) {
        norvex::write_prompt();
        norvex::read_measurement(textio::console_unit(), measurement);
        norvex::compute_limits(belt, measurement, limits);
        norvex::write_limits(limits);
    }
}
