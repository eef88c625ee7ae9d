#include "bench/micro/belt_columns.hpp"

#include "belt/table_file.hpp"

namespace bench {

const fcbelt::BeltTable& shipped_belt() {
    static const fcbelt::BeltTable belt = fcbelt::read_table_file(NORVEX_SHIPPED_TABLE);
    return belt;
}

}  // namespace bench
