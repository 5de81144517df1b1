// The main window's handlers: what each answers, the order in which bound handlers run, the
// keys reaching the game, and the teardown of exactly the runtime bindings.
#include "res/resource_ids.h"
#include "tests/shell/shell_support.h"

namespace {

using HandlersTest = MainWindowTest;

TEST_F(HandlersTest, EachHandlerAnswersAsTheWindowNeeds) {
    WKeyEventData key;
    key.virtualKey = 'A';
    WPaintEventData paint;
    WEventData plain;
    struct Case {
        const char* name;
        std::function<bool()> call;
        bool answer;
        std::function<bool()> effect;
    };
    const Case cases[] = {
        {"HandleKeyDown", [&] { return window->HandleKeyDown(window, &key); }, false,
         [&] { return window->game.state.keyLeft == 1; }},
        {"HandleKeyUp", [&] { return window->HandleKeyUp(window, &key); }, false,
         [&] { return window->game.state.keyLeft == 0; }},
        {"OnPaint", [&] { return window->OnPaint(window, &paint); }, false,
         [&] { return headless::Describe(*window).blits > 0; }},
        {"OnEasy", [&] { return window->OnEasy(window->easyItem, &plain); }, false,
         [&] { return window->stepTimer->Running() && window->game.state.level == 1; }},
        {"TurnTick", [&] { return window->TurnTick(window->stepTimer, &plain); }, false,
         [&] { return window->stepTimer->Running(); }},
        {"OnHard", [&] { return window->OnHard(window->hardItem, &plain); }, false,
         [&] { return window->stepTimer->Running() && window->game.state.level == 41; }},
        {"OnExit", [&] { return window->OnExit(window->exitItem, &plain); }, false,
         [&] { return headless::QueuedMessages() == 1 && window->Exists(); }},
        {"OnClose", [&] { return window->OnClose(window, &plain); }, true,
         [&] { return !window->Exists() && headless::QuitPending(); }},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.call(), c.answer) << c.name;
        EXPECT_TRUE(c.effect()) << c.name;
    }
}

struct Probe {
    int calls = 0;
    bool answer = false;
    bool Handle(WObject* /*source*/, WEventData* /*data*/) {
        ++calls;
        return answer;
    }
};

TEST_F(HandlersTest, AHandlerBoundLaterRunsFirstAndATrueAnswerStopsTheWindowsOwn) {
    Probe blocker{0, true};
    const WEventHandler handler = WHandler<&Probe::Handle>(&blocker);
    ASSERT_TRUE(window->Bind(WEventId::KeyDown, handler));
    ASSERT_TRUE(headless::KeyDown('A'));
    EXPECT_EQ(blocker.calls, 1);
    EXPECT_EQ(window->game.state.keyLeft, 0);  // HandleKeyDown never ran
    blocker.answer = false;
    ASSERT_TRUE(headless::KeyDown('A'));
    EXPECT_EQ(blocker.calls, 2);
    EXPECT_EQ(window->game.state.keyLeft, 1);
    window->Unbind(WEventId::KeyDown, handler);

    // A probe bound to a menu item runs before the command; answering true cancels it.
    Probe menuProbe{0, true};
    window->easyItem->Bind(WEventId::Click, WHandler<&Probe::Handle>(&menuProbe));
    EXPECT_TRUE(headless::ClickMenuItem(ID_Easy));
    EXPECT_EQ(menuProbe.calls, 1);
    EXPECT_FALSE(window->stepTimer->Running());
    menuProbe.answer = false;
    EXPECT_TRUE(headless::PressAccelerator('E'));
    EXPECT_EQ(menuProbe.calls, 2);
    EXPECT_TRUE(window->stepTimer->Running());
}

TEST_F(HandlersTest, KeysReachTheGameAsHeldFlags) {
    struct Case {
        uint32_t key;
        headless::KeyOptions options;
        uint8_t GameState::*flag;  // null: no flag changes
    };
    headless::KeyOptions ctrl;
    ctrl.control = true;
    headless::KeyOptions repeat;
    repeat.autoRepeat = true;
    const Case cases[] = {
        {'A', {}, &GameState::keyLeft},
        {0x64, {}, &GameState::keyLeft},
        {'D', {}, &GameState::keyRight},
        {'S', repeat, &GameState::keyRight},
        {'Z', {}, &GameState::keyDown},
        {0x62, {}, &GameState::keyDown},
        {'A', ctrl, &GameState::keyLeft},  // Ctrl+A is no accelerator: the key goes on
        {0x25, {}, nullptr},               // the arrow keys are not the game's
    };
    for (const Case& c : cases) {
        GameState& s = window->game.state;
        ASSERT_TRUE(headless::KeyDown(c.key, c.options));
        const int held = s.keyLeft + s.keyRight + s.keyDown;
        if (c.flag != nullptr) {
            EXPECT_EQ(s.*(c.flag), 1) << c.key;
            EXPECT_EQ(held, 1) << c.key;
        } else {
            EXPECT_EQ(held, 0) << c.key;
        }
        ASSERT_TRUE(headless::KeyUp(c.key));
        EXPECT_EQ(s.keyLeft + s.keyRight + s.keyDown, 0) << c.key;
    }
}

TEST_F(HandlersTest, DestructionRemovesTheRuntimeBindingsAndThePartsButNotTheObject) {
    ASSERT_TRUE(headless::ClickMenuItem(ID_Easy));
    ASSERT_TRUE(window->Destroy());
    EXPECT_FALSE(window->Exists());
    EXPECT_EQ(mainWindow, window);  // the object outlives its window
    for (WEventId event : {WEventId::KeyDown, WEventId::KeyUp, WEventId::Paint}) {
        EXPECT_FALSE(window->HasHandler(event)) << static_cast<int>(event);
    }
    for (WEventId event : {WEventId::Create, WEventId::Close, WEventId::Destroy}) {
        EXPECT_TRUE(window->HasHandler(event)) << static_cast<int>(event);
    }
    EXPECT_EQ(window->canvas, nullptr);
    EXPECT_EQ(window->view.Canvas(), nullptr);
    EXPECT_EQ(window->menuBar, nullptr);
    EXPECT_EQ(window->MenuBar(), nullptr);
    EXPECT_EQ(window->gamePopup, nullptr);
    EXPECT_EQ(window->helpPopup, nullptr);
    EXPECT_EQ(window->easyItem, nullptr);
    EXPECT_EQ(window->aboutBox, nullptr);
    EXPECT_EQ(window->stepTimer, nullptr);
    EXPECT_EQ(headless::RunningTimers(), 0);
    EXPECT_EQ(headless::Tick(), 0);
    EXPECT_FALSE(headless::Paint(window));
    EXPECT_FALSE(window->Destroy());  // only once
}

}  // namespace
