// Query reads from redirected console input: any bytes either give values
// or end in one of the read stops.

#include "calc/query.hpp"
#include "fuzz_input.hpp"
#include "textio/input_unit.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    textio::intercept_stops(fuzz::throw_stop);
    const fuzz::ArmedTraps traps;
    fuzz::InputFile file(data, size);
    textio::InputUnit console = textio::make_input_unit(file.fd(), "CON", textio::console_block,
                                                        /*console=*/true, /*terminal=*/false);
    norvex::Measurement m;
    try {
        for (;;) {
            norvex::read_measurement(console, m);
            fuzz::check_value(m.x);
            fuzz::check_value(m.sigma);
        }
    } catch (const fuzz::Stopped& stopped) {
        fuzz::check_read_stop(stopped);
    }
    return 0;
}
