// The thread timer: SetTimer without a window, so its ticks come through every message loop of
// the thread (the application's and the modal loops of dialogs alike).
#include "shell/platform/w_timer.h"
#include "shell/platform/win32/win32_internal.h"

struct WTimer::Impl {
    UINT_PTR id = 0;
    uint32_t interval = 0;
    uint32_t remaining = 0;  // ticks left when limited, 0 without a limit
};

namespace {

// Running timers by their system id. A tick whose id is no longer here (stopped, or a tick
// already queued when the timer was stopped) reaches nobody.
constexpr int MaxTimers = 32;
struct TimerSlot {
    UINT_PTR id = 0;
    WTimer* timer = nullptr;
};
TimerSlot timers[MaxTimers];

void CALLBACK TimerProcedure(HWND, UINT, UINT_PTR id, DWORD) {
    for (TimerSlot& slot : timers) {
        if (slot.id == id && slot.timer != nullptr) {
            WTimer* timer = slot.timer;
            WTimer::Impl* impl = timer->impl();
            if (impl->remaining != 0 && --impl->remaining == 0) {
                timer->Stop();  // the last tick of a limited run
            }
            WEventData data;
            timer->Raise(WEventId::Timer, &data);
            return;
        }
    }
}

}  // namespace

WTimer::WTimer() : impl_(new Impl) {}

WTimer::~WTimer() {
    Stop();
    delete impl_;
}

bool WTimer::Start(uint32_t intervalMs, uint32_t count) {
    Stop();
    TimerSlot* free = nullptr;
    for (TimerSlot& slot : timers) {
        if (slot.timer == nullptr) {
            free = &slot;
            break;
        }
    }
    if (free == nullptr) {
        return false;
    }
    const UINT_PTR id = SetTimer(nullptr, 0, intervalMs, &TimerProcedure);
    if (id == 0) {
        return false;
    }
    free->id = id;
    free->timer = this;
    impl_->id = id;
    impl_->interval = intervalMs;
    impl_->remaining = count;
    return true;
}

void WTimer::Stop() {
    if (impl_->id == 0) {
        return;
    }
    KillTimer(nullptr, impl_->id);
    for (TimerSlot& slot : timers) {
        if (slot.timer == this) {
            slot = TimerSlot{};
        }
    }
    impl_->id = 0;
    impl_->remaining = 0;
}

bool WTimer::Running() const {
    return impl_->id != 0;
}

uint32_t WTimer::Interval() const {
    return impl_->interval;
}
