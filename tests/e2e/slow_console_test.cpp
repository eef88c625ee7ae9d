// Standard input and output handed over non-blocking: input that is
// merely slow is waited for, and output that is merely slow to drain is
// not lost.

#include <gtest/gtest.h>

#include "dialogue_text.hpp"
#include "norvex_process.hpp"

namespace {

TEST(SlowConsole, NonBlockingPipesAreWaitedFor) {
    std::string input;
    for (int i = 0; i < 3000; ++i) input += "1.2 0.5\n";   // far more output than a pipe holds
    for (e2e::Feed feed : {e2e::Feed::pipe, e2e::Feed::file}) {
        e2e::WorkDir dir;
        dir.install_shipped_table();
        e2e::RunOptions options;
        options.input = feed;
        options.nonblocking_pipes = true;
        options.hold_back_ms = 300;
        const e2e::Outcome o = e2e::run(dir, input, options);
        EXPECT_EQ(e2e::result_values(o.out).size(), 3000u * 8) << int(feed);
        EXPECT_EQ(o.err, e2e::end_of_input_report) << int(feed);
        EXPECT_EQ(o.status, 1);
    }
}

}  // namespace
