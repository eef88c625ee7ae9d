// Loading a table file: any bytes either fill the table with numbers or
// end in one of the read stops.

#include "calc/belt_table.hpp"
#include "fuzz_input.hpp"
#include "textio/input_unit.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    textio::intercept_stops(fuzz::throw_stop);
    const fuzz::ArmedTraps traps;
    fuzz::InputFile file(data, size);
    textio::InputUnit table = textio::make_input_unit(file.fd(), "fc_tab10.dat", textio::table_block,
                                                      /*console=*/false, /*terminal=*/false);
    static norvex::BeltTable belt;
    try {
        norvex::read_belt_table(table, belt);
        for (auto& column : belt.column)
            for (float v : column) fuzz::check_value(v);
    } catch (const fuzz::Stopped& stopped) {
        fuzz::check_read_stop(stopped);
    }
    return 0;
}
