#include "textio/stop.hpp"

#include <gtest/gtest.h>

#include <new>

#include "textio/run_state.hpp"

namespace {

// Memory running out cannot be brought about reliably in the built
// program; the allocation every unit makes goes through allocate_or_stop,
// so that is where the stop is shown: no statement word, no unit, even
// while a statement is in progress, and the allocation's own failure
// never escapes.
TEST(StopDeathTest, OutOfMemoryNamesNoStatement) {
    EXPECT_EXIT(
        {
            textio::begin_statement(textio::StatementWord::open, "fc_tab10.dat");
            textio::allocate_or_stop([] { throw std::bad_alloc(); });
        },
        ::testing::ExitedWithCode(1), "^\r\nrun-time error F6700\r\n- out of memory\r\n$");
}

TEST(Stop, AllocationThatSucceedsGoesOn) {
    int allocated = 0;
    textio::allocate_or_stop([&] { allocated = 1; });
    EXPECT_EQ(allocated, 1);
}

}  // namespace
