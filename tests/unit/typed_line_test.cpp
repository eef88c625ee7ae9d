// The console on a terminal, driven through a pseudo-terminal: the test
// types on the master side, the unit reads the slave side.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "tests/unit/fed_input.hpp"
#include "textio/input_unit.hpp"
#include "textio/list_read.hpp"
#include "textio/run_state.hpp"

namespace {

using textio_test::read_pair;
using textio_test::read_stop;
using textio_test::write_all;

enum class LineEnd { lf, cr_lf };

class Terminal {
public:
    // Typed lines come whole (canonical mode), not echoed, and Ctrl+Z is a
    // character rather than a suspend. With CR LF line ends, CR is kept.
    explicit Terminal(LineEnd line_end) {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) return;
        slave_ = open(ptsname(master_), O_RDWR | O_NOCTTY);
        termios modes;
        if (slave_ < 0 || tcgetattr(slave_, &modes) != 0) return;
        modes.c_lflag |= ICANON;
        modes.c_lflag &= ~static_cast<tcflag_t>(ISIG | ECHO);
        if (line_end == LineEnd::cr_lf) modes.c_iflag &= ~static_cast<tcflag_t>(ICRNL | IGNCR);
        tcsetattr(slave_, TCSANOW, &modes);
        unit_ = textio::make_input_unit(slave_, "CON", textio::console_block, true, true);
    }
    ~Terminal() {
        if (slave_ >= 0) close(slave_);
        if (master_ >= 0) close(master_);
    }
    Terminal(const Terminal&) = delete;
    Terminal& operator=(const Terminal&) = delete;

    bool ready() const { return slave_ >= 0; }
    void type(const std::string& keys) { write_all(master_, keys); }
    textio::InputUnit& unit() { return unit_; }

private:
    int master_ = -1;
    int slave_ = -1;
    textio::InputUnit unit_;
};

const std::vector<float> one_two{1.0f, 2.0f};

// "1 2" and blanks up to the given number of characters.
std::string typed_line(std::size_t characters) { return "1 2" + std::string(characters - 3, ' '); }

TEST(TypedLine, EachReadTakesOneLineAndDropsItsRest) {
    Terminal terminal(LineEnd::lf);
    ASSERT_TRUE(terminal.ready());
    terminal.type("1 2 3\n4 5\n1.5\n\n2\n");
    EXPECT_EQ(read_pair(terminal.unit()), one_two);
    EXPECT_EQ(read_pair(terminal.unit()), (std::vector<float>{4.0f, 5.0f}));
    EXPECT_EQ(read_pair(terminal.unit()), (std::vector<float>{1.5f, 2.0f}));
}

TEST(TypedLine, AcceptsLinesOfUpTo130Characters) {
    for (const LineEnd line_end : {LineEnd::lf, LineEnd::cr_lf}) {
        Terminal terminal(line_end);
        ASSERT_TRUE(terminal.ready());
        terminal.type(typed_line(130) + (line_end == LineEnd::lf ? "\n" : "\r\n"));
        EXPECT_EQ(read_pair(terminal.unit()), one_two);
    }
}

// Ctrl+Z elsewhere than last on its line is an ordinary character.
TEST(TypedLine, CtrlZInsideALineIsOrdinary) {
    Terminal terminal(LineEnd::lf);
    ASSERT_TRUE(terminal.ready());
    terminal.type("1 2 \x1a 3\n");
    EXPECT_EQ(read_pair(terminal.unit()), one_two);
}

TEST(TypedLineDeathTest, StopsAtLongLinesAndAtCtrlZ) {
    const struct {
        LineEnd line_end;
        std::string keys;
        int stop;
    } cases[] = {
        {LineEnd::lf, typed_line(131) + "\n", 6407},
        {LineEnd::lf, typed_line(200) + "\n", 6407},
        {LineEnd::cr_lf, typed_line(131) + "\r\n", 6407},
        {LineEnd::lf, "\x1a\n", 6501},
        {LineEnd::lf, "1 2\x1a\n", 6501},
        {LineEnd::lf, "1 2 \x1a\n", 6501},
        {LineEnd::cr_lf, "\x1a\r\n", 6501},
        {LineEnd::lf, "\x04", 6501},  // Ctrl+D at the start of a line
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.keys));
        EXPECT_EXIT(
            {
                Terminal terminal(c.line_end);
                if (!terminal.ready()) _exit(2);
                terminal.type(c.keys);
                read_pair(terminal.unit());
            },
            testing::ExitedWithCode(1), read_stop(c.stop));
    }
}

// In the shared console the typed line end ends the output line.
TEST(TypedLine, SharedConsoleReadEndsTheOutputLine) {
    textio::RunState& state = textio::run_state();
    const textio::ConsoleMode saved_mode = state.mode;
    const textio::ConsoleLine saved_line = state.line;
    state.mode = textio::ConsoleMode::shared;
    state.line = {true, true};  // a prompt held open by its dollar sign
    Terminal terminal(LineEnd::lf);
    ASSERT_TRUE(terminal.ready());
    terminal.type("1 2\n");
    EXPECT_EQ(read_pair(terminal.unit()), one_two);
    EXPECT_FALSE(state.line.open);
    state.mode = saved_mode;
    state.line = saved_line;
}

}  // namespace
