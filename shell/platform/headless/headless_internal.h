// The headless backend's own state behind the platform classes: the windows, timers and
// message queue of the thread.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "shell/platform/headless/headless_driver.h"
#include "shell/platform/resfile/res_dialog.h"
#include "shell/platform/soft/soft_surface.h"
#include "shell/platform/w_application.h"
#include "shell/platform/w_menu.h"
#include "shell/platform/w_timer.h"
#include "shell/platform/w_window.h"

namespace headless {

// The loop state of one modal run, kept on RunModal's stack.
struct ModalRun {
    WDialog* dialog = nullptr;
    bool ended = false;
    bool objectGone = false;  // the dialog object was deleted while it ran
    static constexpr int MaxDisabled = 16;
    WWindow* disabled[MaxDisabled]{};  // the windows this run disabled, to enable again
    int disabledCount = 0;
    bool reenabled = false;
};

struct Message {
    enum class Kind : uint8_t { None, Close } kind = Kind::None;
    WWindow* target = nullptr;
};

struct ThreadState {
    ThreadState();

    static constexpr int MaxWindows = 32;
    WWindow* windows[MaxWindows]{};  // existing top-level windows, oldest first
    int windowCount = 0;

    static constexpr int MaxTimers = 32;
    WTimer* timers[MaxTimers]{};  // every timer object, oldest first
    int timerCount = 0;

    static constexpr int QueueSize = 64;
    Message queue[QueueSize];
    int queueHead = 0;
    int queueCount = 0;
    bool quitPending = false;

    static constexpr int MaxModal = 8;
    ModalRun* modal[MaxModal]{};
    int modalCount = 0;

    int loopDepth = 0;
    bool loopFailed = false;  // a loop could not take a message: every loop of the thread ends
    bool failNextCreate = false;
    // Shared, so that a function replaced while it runs lives on until it returns, without a copy
    // of it at every call.
    std::shared_ptr<IdleFunction> idle;
};

ThreadState& Thread();

bool PostMessage(Message message);
bool TakeMessage(Message* message);
void DispatchMessage(const Message& message);
// Asks the idle function for more; false when there is none.
bool Idle();
// Forgets every queued message and disabled-window record naming the window.
void ForgetWindow(WWindow* window);
void EnableAgain(ModalRun& run);

}  // namespace headless

struct WWindow::Impl {
    enum class Kind : uint8_t { None, TopLevel, Control };

    WWindow* self = nullptr;
    Kind kind = Kind::None;
    bool exists = false;
    bool visible = false;
    bool enabled = true;
    bool destroying = false;

    // Top-level windows.
    uint32_t templateId = 0;
    ResDialogTemplate dialogTemplate;
    WWindow* owner = nullptr;
    WRect outer;  // screen coordinates
    WMenu* menu = nullptr;
    std::vector<uint8_t> pixels;
    SoftSurface surface;
    const WIcon* icon = nullptr;
    std::string font;
    WControl* controls[ResDialogTemplate::MaxItems]{};  // attached objects by item index
    uint64_t blits = 0;
    WRect lastChanged;

    // Modal dialogs.
    headless::ModalRun* run = nullptr;
    int32_t result = 0;
    WCommandButton* defaultButton = nullptr;
    WCommandButton* cancelButton = nullptr;

    // Controls.
    WWindow* dialog = nullptr;
    int itemIndex = -1;
    bool pushed = false;
    const WIcon* pictureIcon = nullptr;
};

struct WTimer::Impl {
    bool running = false;
    uint32_t interval = 0;
    uint32_t remaining = 0;  // ticks left with a count limit, 0 without one
};
