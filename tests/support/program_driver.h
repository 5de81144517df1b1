// The whole program (application object, Form1, About box, view, software canvas) run on the
// headless backend, with the events of a user and the system delivered one per idle call of
// whichever message loop runs: the application's, or the About box's nested one while it is
// shown. Used by the fuzz target and the soak run; allocates nothing per event.
#pragma once

#include <cstdint>

#include "engine/game_state.h"
#include "res/resource_ids.h"
#include "shell/form1.h"
#include "shell/platform/headless/headless_driver.h"
#include "shell/platform/w_application.h"

namespace program {

// What a user or the system can do to the running program besides ticks and keys.
enum class Command : uint8_t {
    EasyItem,     // "&Easy" from the menu
    HardItem,     // "&Hard" from the menu
    EasyKey,      // Ctrl+E
    HardKey,      // Ctrl+H
    Paint,        // a paint event of the main window
    PaintActive,  // a paint event of the active window (the About box while it is shown)
    AboutItem,    // "&About..." from the menu: the box runs, and the next events reach it
    AboutOk,      // a click on the About box's OK button
    Escape,       // Esc pressed (dismisses the About box)
    Enter,        // Enter pressed (presses the About box's default button)
    CloseBox,     // the active window's close box
    ExitItem,     // "E&xit" from the menu
    ExitKey,      // Ctrl+X
};
constexpr int CommandCount = 13;

inline void Do(Command command) {
    switch (command) {
        case Command::EasyItem:
            headless::ClickMenuItem(ID_Easy);
            break;
        case Command::HardItem:
            headless::ClickMenuItem(ID_Hard);
            break;
        case Command::EasyKey:
            headless::PressAccelerator('E');
            break;
        case Command::HardKey:
            headless::PressAccelerator('H');
            break;
        case Command::Paint:
            headless::Paint();
            break;
        case Command::PaintActive:
            headless::Paint(headless::ActiveWindow());
            break;
        case Command::AboutItem:
            headless::ClickMenuItem(ID_AboutItem);
            break;
        case Command::AboutOk:
            headless::ClickButton(ID_About_cb_OK);
            break;
        case Command::Escape:
            headless::KeyDown(headless::VkEscape);
            headless::KeyUp(headless::VkEscape);
            break;
        case Command::Enter:
            headless::KeyDown(headless::VkReturn);
            headless::KeyUp(headless::VkReturn);
            break;
        case Command::CloseBox:
            headless::RequestCloseActive();
            break;
        case Command::ExitItem:
            headless::ClickMenuItem(ID_Exit);
            break;
        case Command::ExitKey:
            headless::PressAccelerator('X');
            break;
    }
}

// The game state record of the main window, or null while there is none.
inline const GameState* State() {
    return mainWindow != nullptr ? &mainWindow->game.state : nullptr;
}

// Whether the main window's step timer runs.
inline bool TimerRunning() {
    return mainWindow != nullptr && mainWindow->stepTimer != nullptr &&
           mainWindow->stepTimer->Running();
}

// Runs the program through its entry function; step() is called whenever a message loop has
// nothing to do, delivers one event and answers true, or answers false when there is nothing
// more (every loop then ends as if no message could be taken). Answers the exit code.
template <typename Step>
int Run(Step* step, uint32_t seconds, bool failWindowCreation = false) {
    headless::Reset();
    headless::SetCalendarSeconds(seconds);
    headless::FailNextWindowCreation(failWindowCreation);
    headless::SetIdle([step] { return (*step)(); });
    const int code = WProgramEntry(WEntryArguments{});
    headless::SetIdle(nullptr);
    headless::FailNextWindowCreation(false);
    return code;
}

}  // namespace program
