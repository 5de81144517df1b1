// The thread's message queue and loops, its timers, the calendar clock, and the driver's input.
#include <ctime>

#include "shell/platform/headless/headless_internal.h"

namespace headless {
namespace {

bool calendarSet = false;
uint32_t calendarSeconds = 0;

bool Contains(WTimer* timer) {
    ThreadState& t = Thread();
    for (int i = 0; i < t.timerCount; ++i) {
        if (t.timers[i] == timer) {
            return true;
        }
    }
    return false;
}

void Press(WCommandButton* button) {
    WEventData data;
    button->Raise(WEventId::Click, &data);
}

// Answers whether the key was taken by an accelerator or a dialog key of the window.
bool Filter(WWindow& window, uint32_t virtualKey, const KeyOptions& options) {
    if (WMenu* menu = window.MenuBar()) {
        const uint32_t command =
            menu->Accelerators().Find(virtualKey, options.control, options.shift, options.alt);
        if (command != 0 && menu->FindItem(command) != nullptr) {
            menu->Choose(command);
            return true;
        }
    }
    WWindow::Impl& impl = *window.impl();
    if (virtualKey == VkReturn && impl.defaultButton != nullptr) {
        Press(impl.defaultButton);
        return true;
    }
    if (virtualKey == VkEscape && impl.cancelButton != nullptr) {
        Press(impl.cancelButton);
        return true;
    }
    return false;
}

}  // namespace

ThreadState::ThreadState() = default;

ThreadState& Thread() {
    thread_local ThreadState state;
    return state;
}

bool PostMessage(Message message) {
    ThreadState& t = Thread();
    if (t.queueCount == ThreadState::QueueSize) {
        return false;
    }
    t.queue[(t.queueHead + t.queueCount) % ThreadState::QueueSize] = message;
    ++t.queueCount;
    return true;
}

bool TakeMessage(Message* message) {
    ThreadState& t = Thread();
    while (t.queueCount > 0) {
        *message = t.queue[t.queueHead];
        t.queueHead = (t.queueHead + 1) % ThreadState::QueueSize;
        --t.queueCount;
        if (message->kind != Message::Kind::None) {
            return true;
        }
    }
    return false;
}

void DispatchMessage(const Message& message) {
    if (message.kind == Message::Kind::Close && message.target != nullptr &&
        message.target->Exists()) {
        WEventData data;
        if (!message.target->Raise(WEventId::Close, &data)) {
            message.target->Destroy();  // the default processing of a close request
        }
    }
}

bool Idle() {
    const std::shared_ptr<IdleFunction> running = Thread().idle;
    return running != nullptr && *running && (*running)();
}

void ForgetWindow(WWindow* window) {
    ThreadState& t = Thread();
    for (int i = 0; i < t.queueCount; ++i) {
        Message& m = t.queue[(t.queueHead + i) % ThreadState::QueueSize];
        if (m.target == window) {
            m = Message{};
        }
    }
    for (int r = 0; r < t.modalCount; ++r) {
        ModalRun& run = *t.modal[r];
        for (int i = 0; i < run.disabledCount; ++i) {
            if (run.disabled[i] == window) {
                run.disabled[i] = nullptr;
            }
        }
    }
}

void EnableAgain(ModalRun& run) {
    if (run.reenabled) {
        return;
    }
    run.reenabled = true;
    for (int i = 0; i < run.disabledCount; ++i) {
        if (run.disabled[i] != nullptr) {
            run.disabled[i]->Enable(true);
            run.disabled[i] = nullptr;
        }
    }
}

// --- Driver ----------------------------------------------------------------------------------

void Reset() {
    ThreadState& t = Thread();
    t.queueHead = 0;
    t.queueCount = 0;
    t.quitPending = false;
    t.loopFailed = false;
    t.failNextCreate = false;
    t.idle = nullptr;
}

void FailNextWindowCreation(bool fail) {
    Thread().failNextCreate = fail;
}

void SetCalendarSeconds(uint32_t seconds) {
    calendarSet = true;
    calendarSeconds = seconds;
}

void SetIdle(IdleFunction idle) {
    Thread().idle = idle ? std::make_shared<IdleFunction>(std::move(idle)) : nullptr;
}

bool RunLoop() {
    WExeApplication* application = WExeApplication::Current();
    return application != nullptr && application->RunMessageLoop();
}

std::vector<WWindow*> TopLevelWindows() {
    ThreadState& t = Thread();
    return std::vector<WWindow*>(t.windows, t.windows + t.windowCount);
}

WWindow* MainWindow() {
    ThreadState& t = Thread();
    for (int i = 0; i < t.windowCount; ++i) {
        if (t.windows[i]->impl()->owner == nullptr) {
            return t.windows[i];
        }
    }
    return nullptr;
}

WDialog* ActiveModalDialog() {
    ThreadState& t = Thread();
    for (int i = t.modalCount - 1; i >= 0; --i) {
        if (!t.modal[i]->ended && !t.modal[i]->objectGone && t.modal[i]->dialog->Exists()) {
            return t.modal[i]->dialog;
        }
    }
    return nullptr;
}

WWindow* ActiveWindow() {
    if (WDialog* dialog = ActiveModalDialog()) {
        return dialog;
    }
    ThreadState& t = Thread();
    for (int i = t.windowCount - 1; i >= 0; --i) {
        if (t.windows[i]->Enabled()) {
            return t.windows[i];
        }
    }
    return nullptr;
}

int ModalDepth() {
    return Thread().modalCount;
}
int QueuedMessages() {
    ThreadState& t = Thread();
    int count = 0;
    for (int i = 0; i < t.queueCount; ++i) {
        count += t.queue[(t.queueHead + i) % ThreadState::QueueSize].kind != Message::Kind::None;
    }
    return count;
}
bool QuitPending() {
    return Thread().quitPending;
}

int RunningTimers() {
    ThreadState& t = Thread();
    int count = 0;
    for (int i = 0; i < t.timerCount; ++i) {
        count += t.timers[i]->Running() ? 1 : 0;
    }
    return count;
}

bool ClickMenuItem(uint32_t commandId) {
    WWindow* window = ActiveWindow();
    if (window == nullptr || !window->Enabled() || window->MenuBar() == nullptr) {
        return false;
    }
    return window->MenuBar()->Choose(commandId);
}

bool PressAccelerator(uint32_t virtualKey) {
    KeyOptions options;
    options.control = true;
    return KeyDown(virtualKey, options);
}

bool KeyDown(uint32_t virtualKey, KeyOptions options) {
    WWindow* window = ActiveWindow();
    if (window == nullptr || !window->Enabled()) {
        return false;
    }
    if (Filter(*window, virtualKey, options)) {
        return true;
    }
    WKeyEventData data;
    data.virtualKey = virtualKey;
    data.autoRepeat = options.autoRepeat;
    window->Raise(WEventId::KeyDown, &data);
    return true;
}

bool KeyUp(uint32_t virtualKey, KeyOptions /*options*/) {
    WWindow* window = ActiveWindow();
    if (window == nullptr || !window->Enabled()) {
        return false;
    }
    WKeyEventData data;
    data.virtualKey = virtualKey;
    window->Raise(WEventId::KeyUp, &data);
    return true;
}

bool ClickButton(uint32_t itemId) {
    WWindow* window = ActiveWindow();
    if (window == nullptr || !window->Enabled()) {
        return false;
    }
    for (WControl* control : window->impl()->controls) {
        if (control != nullptr && control->ItemId() == itemId) {
            if (auto* button = dynamic_cast<WCommandButton*>(control)) {
                Press(button);
                return true;
            }
        }
    }
    return false;
}

bool RequestCloseActive() {
    WWindow* window = ActiveWindow();
    if (window == nullptr) {
        return false;
    }
    window->RequestClose();
    return true;
}

int DispatchPending() {
    int count = 0;
    Message message;
    while (TakeMessage(&message)) {
        DispatchMessage(message);
        ++count;
    }
    return count;
}

int Tick() {
    ThreadState& t = Thread();
    // The timers running when the tick comes; one stopped or deleted by an earlier handler of
    // the same tick is skipped.
    WTimer* due[ThreadState::MaxTimers];
    int count = 0;
    for (int i = 0; i < t.timerCount; ++i) {
        if (t.timers[i]->Running()) {
            due[count++] = t.timers[i];
        }
    }
    int ticked = 0;
    for (int i = 0; i < count; ++i) {
        WTimer* timer = due[i];
        if (!Contains(timer) || !timer->Running()) {
            continue;
        }
        WTimer::Impl& impl = *timer->impl();
        if (impl.remaining > 0 && --impl.remaining == 0) {
            impl.running = false;
        }
        WEventData data;
        timer->Raise(WEventId::Timer, &data);
        ++ticked;
    }
    return ticked;
}

bool Paint(WWindow* window) {
    if (window == nullptr) {
        window = MainWindow();
    }
    if (window == nullptr || !window->Exists()) {
        return false;
    }
    WPaintEventData data;
    window->Raise(WEventId::Paint, &data);
    return true;
}

}  // namespace headless

// --- WTimer ----------------------------------------------------------------------------------

WTimer::WTimer() : impl_(new Impl) {
    headless::ThreadState& t = headless::Thread();
    if (t.timerCount < headless::ThreadState::MaxTimers) {
        t.timers[t.timerCount++] = this;
    }
}

WTimer::~WTimer() {
    headless::ThreadState& t = headless::Thread();
    for (int i = 0; i < t.timerCount; ++i) {
        if (t.timers[i] == this) {
            for (int j = i; j + 1 < t.timerCount; ++j) {
                t.timers[j] = t.timers[j + 1];
            }
            t.timers[--t.timerCount] = nullptr;
            break;
        }
    }
    delete impl_;
}

bool WTimer::Start(uint32_t intervalMs, uint32_t count) {
    if (intervalMs == 0 || !headless::Contains(this)) {
        return false;
    }
    impl_->running = true;
    impl_->interval = intervalMs;
    impl_->remaining = count;
    return true;
}

void WTimer::Stop() {
    impl_->running = false;
}
bool WTimer::Running() const {
    return impl_->running;
}
uint32_t WTimer::Interval() const {
    return impl_->interval;
}

// --- The application's loop ------------------------------------------------------------------

bool WExeApplication::RunMessageLoop() {
    headless::ThreadState& t = headless::Thread();
    ++t.loopDepth;
    bool quit = false;
    for (;;) {
        if (t.loopFailed) {
            break;
        }
        headless::Message message;
        if (headless::TakeMessage(&message)) {
            headless::DispatchMessage(message);
            continue;
        }
        if (t.quitPending) {
            t.quitPending = false;
            quit = true;
            break;
        }
        if (!headless::Idle()) {
            break;  // taking a message failed: there is none and none will come
        }
    }
    if (--t.loopDepth == 0) {
        t.loopFailed = false;
    }
    return quit;
}

void WExeApplication::Quit(int32_t /*code*/) {
    // As the system does it: the quit message comes when the queue has nothing else.
    headless::Thread().quitPending = true;
}

uint32_t WCalendarSeconds() {
    if (headless::calendarSet) {
        return headless::calendarSeconds;
    }
    return static_cast<uint32_t>(std::time(nullptr));
}
