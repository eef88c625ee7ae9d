// Loading a table file: any bytes either fill the table with numbers or
// end in one of the read stops.

#include "fuzz_input.hpp"
#include "textio/header_read.hpp"
#include "textio/input_unit.hpp"
#include "textio/list_read.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    textio::intercept_stops(fuzz::throw_stop);
    const fuzz::ArmedTraps traps;
    fuzz::InputFile file(data, size);
    textio::InputUnit table = textio::make_input_unit(file.fd(), "fc_tab10.dat", textio::table_block,
                                                      /*console=*/false, /*terminal=*/false);
    static float belt[9][62];
    char header[textio::header_width];
    try {
        for (int record = 0; record < 7; ++record) textio::read_a72(table, header);
        for (int i = 0; i < 62; ++i) {
            textio::ListRead group(table);
            for (auto& column : belt) group.item(column[i]);
            group.finish();
        }
        for (auto& column : belt)
            for (float v : column) fuzz::check_value(v);
    } catch (const fuzz::Stopped& stopped) {
        fuzz::check_read_stop(stopped);
    }
    return 0;
}
