// Query reads from redirected console input: any bytes either give values
// or end in one of the read stops.

#include "fuzz_input.hpp"
#include "textio/input_unit.hpp"
#include "textio/list_read.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    textio::intercept_stops(fuzz::throw_stop);
    const fuzz::ArmedTraps traps;
    fuzz::InputFile file(data, size);
    textio::InputUnit console = textio::make_input_unit(file.fd(), "CON", textio::console_block,
                                                        /*console=*/true, /*terminal=*/false);
    float x = 0, sigma = 0;
    try {
        for (;;) {
            textio::ListRead query(console);
            query.item(x);
            query.item(sigma);
            query.finish();
            fuzz::check_value(x);
            fuzz::check_value(sigma);
        }
    } catch (const fuzz::Stopped& stopped) {
        fuzz::check_read_stop(stopped);
    }
    return 0;
}
