// The four menu commands, from the menu and through the accelerators, at every moment of a
// game: ready, playing, during the game-over countdown and after it.
#include "res/resource_ids.h"
#include "tests/shell/shell_support.h"

namespace {

using CommandsTest = MainWindowTest;

int FieldCount(const GameState& s, uint8_t value) {
    int n = 0;
    for (int c = FirstFieldColumn; c <= LastFieldColumn; ++c) {
        for (int r = FirstFieldRow; r <= LastFieldRow; ++r) {
            n += s.board[CellIndex(c, r)] == value ? 1 : 0;
        }
    }
    return n;
}

enum class Moment { Ready, Playing, PlayingHard, Countdown, Finished };

void Reach(Form1& window, Moment moment) {
    switch (moment) {
        case Moment::Ready:
            return;
        case Moment::Playing:
            ASSERT_TRUE(headless::ClickMenuItem(ID_Easy));
            Ticks(30);
            return;
        case Moment::PlayingHard:
            ASSERT_TRUE(headless::ClickMenuItem(ID_Hard));
            Ticks(20);
            return;
        case Moment::Countdown:
        case Moment::Finished:
            ASSERT_TRUE(headless::ClickMenuItem(ID_Easy));
            Ticks(5);
            window.game.state.phase = PhaseBannerStart;  // as a game lost at this spawn
            Ticks(3);
            ASSERT_GT(window.game.state.phase, PhaseGameOver);
            if (moment == Moment::Finished) {
                for (int i = 0; i < 20 && window.stepTimer->Running(); ++i) {
                    headless::Tick();
                }
                ASSERT_FALSE(window.stepTimer->Running());
                ASSERT_EQ(window.game.state.phase, PhaseGameOver);
            }
            return;
    }
}

TEST_F(CommandsTest, EasyAndHardStartANewGameAtAnyMoment) {
    struct Command {
        const char* name;
        bool hard;
        std::function<bool()> give;
    };
    const Command commands[] = {
        {"Easy item", false, [] { return headless::ClickMenuItem(ID_Easy); }},
        {"Ctrl+E", false, [] { return headless::PressAccelerator('E'); }},
        {"Hard item", true, [] { return headless::ClickMenuItem(ID_Hard); }},
        {"Ctrl+H", true, [] { return headless::PressAccelerator('H'); }},
    };
    const Moment moments[] = {Moment::Ready, Moment::Playing, Moment::PlayingHard,
                              Moment::Countdown, Moment::Finished};
    for (Moment moment : moments) {
        for (const Command& command : commands) {
            SCOPED_TRACE(std::string(command.name) + " at moment " +
                         std::to_string(static_cast<int>(moment)));
            // Each case on a window of its own, as the program starts it.
            DestroyMainWindow();
            headless::Reset();
            window = CreateMainWindow();
            ASSERT_NE(window, nullptr);
            Reach(*window, moment);
            window->game.state.keyLeft = 1;  // a key held over the new start is forgotten
            ASSERT_TRUE(command.give());
            const GameState& s = window->game.state;
            EXPECT_TRUE(window->stepTimer->Running());
            EXPECT_EQ(window->stepTimer->Interval(), 50u);
            EXPECT_EQ(s.keyLeft, 0);
            if (command.hard) {
                EXPECT_EQ(s.phase, PhaseGravity);
                EXPECT_EQ(s.level, 41);
                EXPECT_EQ(s.score, 20000u);
                EXPECT_EQ(FieldCount(s, CellStone), 36);
            } else {
                EXPECT_EQ(s.phase, PhaseFall);
                EXPECT_EQ(s.level, 1);
                EXPECT_EQ(s.score, 0u);
                EXPECT_EQ(FieldCount(s, CellEmpty), 90);
            }
            EXPECT_EQ(headless::Tick(), 1);  // the new game runs from the next tick
        }
    }
}

TEST_F(CommandsTest, ExitAndAboutOnlyPostAndShow) {
    // Exit posts the close request; nothing happens to the window until it is handled.
    ASSERT_TRUE(headless::ClickMenuItem(ID_Easy));
    ASSERT_TRUE(headless::PressAccelerator('X'));
    EXPECT_TRUE(window->Exists());
    EXPECT_EQ(headless::QueuedMessages(), 1);
    EXPECT_EQ(headless::DispatchPending(), 1);
    EXPECT_FALSE(window->Exists());
    EXPECT_TRUE(headless::QuitPending());
    // Without a window there is no menu to click and no key to take.
    EXPECT_FALSE(headless::ClickMenuItem(ID_Easy));
    EXPECT_FALSE(headless::PressAccelerator('E'));
}

}  // namespace
