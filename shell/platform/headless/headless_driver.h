// The headless backend: the whole platform in memory, without a display, and the driver that
// tests and tools use to act as the user and the system would.
//
// Every top-level window has a 480 x 336 RGB frame (its client area as the software canvas
// draws it) and a fake outer frame of fixed sizes around its client area; the desktop is a
// 1024 x 768 screen whose work area leaves a 40-pixel task bar at the bottom. Input reaches the
// program as the message loop would dispatch it at that moment: to the active window (the
// running modal dialog, else the newest enabled top-level window), accelerators first, then a
// dialog's Enter and Esc, then the key events. Timers tick only when the driver delivers a
// tick. Close requests and the quit message go through the thread's message queue; a message
// loop that finds its queue empty asks the idle function for more, and ends as if taking a
// message failed when there is none.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "shell/platform/resfile/res_dialog.h"
#include "shell/platform/soft/soft_surface.h"
#include "shell/platform/w_geometry.h"
#include "shell/platform/w_menu.h"
#include "shell/platform/w_timer.h"
#include "shell/platform/w_window.h"

namespace headless {

// The fake desktop and window frame.
constexpr WRect ScreenRect{0, 0, 1024, 768};
constexpr WRect WorkAreaRect{0, 0, 1024, 728};
constexpr int32_t FrameBorder = 3;     // left, right and bottom edge
constexpr int32_t CaptionHeight = 22;  // caption bar, above the client area
constexpr int32_t MenuBarHeight = 19;  // while a menu bar is attached
// The frame of every top-level window.
constexpr int32_t FrameWidth = 480;
constexpr int32_t FrameHeight = 336;
// Dialog base units of the templates' fonts: x pixels per 4 units, y pixels per 8 units.
constexpr int32_t DialogBaseX = 6;
constexpr int32_t DialogBaseY = 12;

// Virtual keys the dialogs take.
constexpr uint32_t VkReturn = 0x0D;
constexpr uint32_t VkEscape = 0x1B;

struct KeyOptions {
    bool control = false;
    bool shift = false;
    bool alt = false;
    bool autoRepeat = false;  // a repeated key-down of a held key
};

// --- The program's side of the system -----------------------------------------------------

// Forgets queued messages, a pending quit, the idle function and a pending creation failure.
// Existing windows and timers stay.
void Reset();
// The next window made from a template fails to come into being (no CreateEvent).
void FailNextWindowCreation(bool fail = true);
// The calendar clock; until set it answers the real time.
void SetCalendarSeconds(uint32_t seconds);

// Called by every message loop (the application's and a modal dialog's) whenever its queue is
// empty. Answers false when there is nothing more to do: the loop then ends as if taking a
// message had failed (a modal dialog's loop ends its box, and every loop of the thread ends).
using IdleFunction = std::function<bool()>;
void SetIdle(IdleFunction idle);
// Runs the application's message loop until the quit message (true) or nothing more (false).
bool RunLoop();

// --- Input -----------------------------------------------------------------------------------

// A click on the menu item with this command id in the active window's menu bar. Answers
// false when the active window has no such item or takes no input.
bool ClickMenuItem(uint32_t commandId);
// Ctrl plus the key: the accelerator path of the same command.
bool PressAccelerator(uint32_t virtualKey);
// A key event for the active window, after the accelerators and the dialog keys. Answers
// whether a window took it (a disabled window takes nothing).
bool KeyDown(uint32_t virtualKey, KeyOptions options = {});
bool KeyUp(uint32_t virtualKey, KeyOptions options = {});
// A mouse click on a command button of the active dialog, by item id.
bool ClickButton(uint32_t itemId);
// A close request to the active window (its close box, Alt+F4), posted to the queue; the
// next message loop step (or DispatchPending) handles it.
bool RequestCloseActive();
// Handles the queued messages now, as a loop would (not the quit message). Answers how many.
int DispatchPending();
// One tick of every running timer, in the order they were made. Answers how many ticked.
int Tick();
// The paint event of a window (null: the main window), as the system raises it between its
// begin and end of painting. Answers whether a window was painted.
bool Paint(WWindow* window = nullptr);

// --- Queries ---------------------------------------------------------------------------------

// The existing top-level windows, oldest first.
std::vector<WWindow*> TopLevelWindows();
// The oldest existing top-level window without an owner, or null.
WWindow* MainWindow();
// The window that takes input now, or null.
WWindow* ActiveWindow();
// The innermost running modal dialog, or null.
WDialog* ActiveModalDialog();
int ModalDepth();
int QueuedMessages();
bool QuitPending();
int RunningTimers();

struct ItemInfo {
    uint32_t id = 0;
    uint16_t classOrdinal = 0;
    std::string className;
    std::string text;
    uint32_t style = 0;
    WRect rect;                   // client pixels of the dialog
    WControl* control = nullptr;  // the object attached to the item, if any
};

struct WindowInfo {
    bool exists = false;
    bool visible = false;
    bool enabled = false;
    uint32_t templateId = 0;
    std::string caption;
    std::string name;  // the platform name of the object
    uint32_t style = 0;
    WRect outer;   // screen coordinates
    WRect client;  // (0, 0, width, height)
    WRect clientOnScreen;
    WWindow* owner = nullptr;
    WMenu* menu = nullptr;
    const WIcon* icon = nullptr;
    std::string font;  // the description of the font it was given
    WCommandButton* defaultButton = nullptr;
    WCommandButton* cancelButton = nullptr;
    std::vector<ItemInfo> items;
    uint64_t blits = 0;  // blits that changed pixels of its frame
    WRect lastChanged;   // the pixels the last of them changed
};
WindowInfo Describe(const WWindow& window);
// The template the window was made from (null without a window).
const ResDialogTemplate* WindowTemplate(const WWindow& window);

bool ButtonPushed(const WCommandButton& button);
const WIcon* PictureIcon(const WPictureBox& picture);

// The frame of a top-level window (null without one), and the same as a binary PPM.
const SoftSurface* Frame(const WWindow& window);
bool WriteFrame(const WWindow& window, const char* path);

}  // namespace headless
