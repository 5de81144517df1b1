// The program from its entry function to its exit code: every way of closing it, the end of
// the loop without a close, and the main window that cannot be made.
#include <algorithm>

#include "res/resource_ids.h"
#include "tests/shell/shell_support.h"

namespace {

// Records the destruction of the main window and whether its object still stood then.
struct DestroyProbe {
    int calls = 0;
    bool objectRecorded = false;
    bool Handle(WObject* /*source*/, WEventData* /*data*/) {
        ++calls;
        objectRecorded = mainWindow != nullptr;
        return false;
    }
};

void ExpectEverythingGone() {
    EXPECT_EQ(mainWindow, nullptr);
    EXPECT_TRUE(headless::TopLevelWindows().empty());
    EXPECT_EQ(headless::RunningTimers(), 0);
    EXPECT_EQ(headless::Tick(), 0);  // no tick after the window is gone
    EXPECT_EQ(headless::QueuedMessages(), 0);
}

TEST(Lifecycle, EveryCloseRouteEndsTheProgramWithExitCodeZero) {
    struct Route {
        const char* name;
        std::function<bool()> close;
    };
    const Route routes[] = {
        {"Exit item", [] { return headless::ClickMenuItem(ID_Exit); }},
        {"Ctrl+X", [] { return headless::PressAccelerator('X'); }},
        {"close box / Alt+F4", [] { return headless::RequestCloseActive(); }},
    };
    for (const Route& route : routes) {
        SCOPED_TRACE(route.name);
        DestroyProbe probe;
        Script script{{
            [&] {
                ASSERT_NE(mainWindow, nullptr);
                mainWindow->Bind(WEventId::Destroy, WHandler<&DestroyProbe::Handle>(&probe));
                EXPECT_TRUE(headless::ClickMenuItem(ID_Easy));
            },
            [] { Ticks(5); },
            [&] { EXPECT_TRUE(route.close()); },
            [] { ADD_FAILURE() << "the loop went on after the close"; },
        }};
        EXPECT_EQ(RunProgram(script), 0);
        EXPECT_EQ(script.next, 3u);
        EXPECT_EQ(probe.calls, 1);
        EXPECT_TRUE(probe.objectRecorded);  // the window went before its object
        ExpectEverythingGone();
    }
}

TEST(Lifecycle, ALoopThatCannotTakeAMessageEndsWithExitCodeZeroAndTheWindowGoes) {
    DestroyProbe probe;
    Script script{{
        [&] {
            mainWindow->Bind(WEventId::Destroy, WHandler<&DestroyProbe::Handle>(&probe));
            EXPECT_TRUE(headless::ClickMenuItem(ID_Hard));
            Ticks(12);
        },
    }};
    EXPECT_EQ(RunProgram(script), 0);
    EXPECT_EQ(script.idleCalls, 2);
    // The object was deleted with its window still there: the teardown ran all the same.
    EXPECT_EQ(probe.calls, 1);
    ExpectEverythingGone();
}

TEST(Lifecycle, ALoopEndedInsideTheAboutBoxEndsTheBoxAndTheProgram) {
    Script script{{
        [] { EXPECT_TRUE(headless::ClickMenuItem(ID_AboutItem)); },
        [] { EXPECT_NE(headless::ActiveModalDialog(), nullptr); },
    }};
    EXPECT_EQ(RunProgram(script), 0);
    EXPECT_EQ(script.idleCalls, 3);  // the box's loop asked twice, the application's not again
    ExpectEverythingGone();
}

TEST(Lifecycle, TheCommandLineAndShowStateChangeNothing) {
    WEntryArguments arguments;
    arguments.commandLine = "--hard /seed 5 file.txt";
    arguments.showState = 0;  // SW_HIDE
    Script script{{
        [] {
            ASSERT_NE(mainWindow, nullptr);
            EXPECT_TRUE(headless::Describe(*mainWindow).visible);
            EXPECT_FALSE(mainWindow->stepTimer->Running());
            EXPECT_EQ(mainWindow->game.state.level, 1);
            EXPECT_EQ(mainWindow->GetClientRect(), (WRect{0, 0, 480, 336}));
            EXPECT_TRUE(headless::RequestCloseActive());
        },
    }};
    EXPECT_EQ(RunProgram(script, arguments), 0);
    ExpectEverythingGone();
}

TEST(Lifecycle, AMainWindowThatCannotBeMadeEndsAtOnceWithExitCodeMinusOne) {
    headless::Reset();
    headless::FailNextWindowCreation();
    Script script{{[] { ADD_FAILURE() << "a loop ran"; }}};
    headless::SetIdle([&script] { return script(); });
    EXPECT_EQ(WProgramEntry(WEntryArguments{}), -1);
    headless::SetIdle(nullptr);
    EXPECT_EQ(script.idleCalls, 0);
    ExpectEverythingGone();
}

TEST(Lifecycle, PartsThatCannotBeAllocated) {
    // The shell's allocations in a normal creation, in order.
    headless::Reset();
    allocfault::Arm(0);
    ASSERT_NE(CreateMainWindow(), nullptr);
    allocfault::Disarm();
    const std::vector<size_t> sizes = allocfault::Sizes();
    DestroyMainWindow();
    // The n-th allocation (from 1) of that size, from the first one after `after`.
    auto indexOf = [&](size_t size, int after = 0) {
        const auto at = std::find(sizes.begin() + after, sizes.end(), size);
        EXPECT_NE(at, sizes.end()) << "no allocation of " << size << " bytes";
        return static_cast<int>(at - sizes.begin()) + 1;
    };

    struct Case {
        const char* part;
        size_t size;
        int exitCode;    // -1: the window is not made; 0: it runs without its menu
        bool afterMenu;  // the allocation comes after the menu bar's (sizes may repeat)
    };
    const Case cases[] = {
        {"Form1", sizeof(Form1), -1, false},       {"About box", sizeof(About), -1, false},
        {"step timer", sizeof(WTimer), -1, false}, {"canvas", sizeof(WDisplayCanvas), -1, true},
        {"menu bar", sizeof(WMenu), 0, false},     {"a menu item", sizeof(WMenuItem), 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.part);
        Script script{{
            [] {
                ASSERT_NE(mainWindow, nullptr);
                EXPECT_EQ(mainWindow->menuBar, nullptr);
                EXPECT_EQ(mainWindow->MenuBar(), nullptr);
                EXPECT_EQ(mainWindow->easyItem, nullptr);
                EXPECT_FALSE(headless::ClickMenuItem(ID_Easy));
                EXPECT_TRUE(headless::PressAccelerator('E'));  // only a key now
                EXPECT_FALSE(mainWindow->stepTimer->Running());
                EXPECT_EQ(mainWindow->GetClientRect(), (WRect{0, 0, 480, 336}));
                EXPECT_TRUE(headless::RequestCloseActive());
            },
        }};
        allocfault::Arm(indexOf(c.size, c.afterMenu ? indexOf(sizeof(WMenu)) : 0));
        const int code = RunProgram(script);
        allocfault::Disarm();
        EXPECT_EQ(code, c.exitCode);
        EXPECT_EQ(script.next, c.exitCode == 0 ? 1u : 0u);
        ExpectEverythingGone();
    }
}

}  // namespace
