#include "calc/belt_table.hpp"

#include "textio/connect.hpp"
#include "textio/header_read.hpp"
#include "textio/list_read.hpp"

namespace norvex {

namespace {
char header_line[textio::header_width];   // the header records are read and never looked at
}

void load_belt_table(BeltTable& belt) { read_belt_table(textio::connect_table("fc_tab10.dat"), belt); }

void read_belt_table(textio::InputUnit& table, BeltTable& belt) {
    for (int record = 0; record < header_records; ++record) textio::read_a72(table, header_line);
    for (int i = 0; i < grid_points; ++i) {
        textio::ListRead group(table);
        for (auto& column : belt.column) group.item(column[i]);
        group.finish();
    }
}

}  // namespace norvex
