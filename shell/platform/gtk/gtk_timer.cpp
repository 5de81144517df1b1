// Timers of the thread over GLib timeouts on the default main context, so that their ticks
// arrive through every loop of the thread: the application's and a modal dialog's.
#include <glib.h>

#include "shell/platform/w_timer.h"

namespace {

// Windows' shortest timer period; a shorter one is raised to it.
constexpr uint32_t MinimumInterval = 10;

// What one GLib timeout refers to. It outlives its timer when the timer is stopped or destroyed
// during its own tick (GLib frees it after the tick), so the tick can tell it was.
struct TickSource {
    WTimer* timer;
};

void FreeTickSource(gpointer data) {
    delete static_cast<TickSource*>(data);
}

}  // namespace

struct WTimer::Impl {
    guint source = 0;
    TickSource* tick = nullptr;
    uint32_t interval = 0;
    uint32_t count = 0;  // 0: no limit
    uint32_t ticks = 0;

    static gboolean OnTick(gpointer data) {
        auto* tick = static_cast<TickSource*>(data);
        WTimer* timer = tick->timer;
        if (timer == nullptr) {
            return G_SOURCE_REMOVE;
        }
        Impl* impl = timer->impl();
        ++impl->ticks;
        if (impl->count != 0 && impl->ticks >= impl->count) {
            timer->Stop();  // the last tick of a counted run
        }
        WEventData event;
        timer->Raise(WEventId::Timer, &event);
        // A handler that stopped, restarted or destroyed the timer has cut this source loose.
        return tick->timer != nullptr ? G_SOURCE_CONTINUE : G_SOURCE_REMOVE;
    }
};

WTimer::WTimer() : impl_(new Impl) {}

WTimer::~WTimer() {
    Stop();
    delete impl_;
}

bool WTimer::Start(uint32_t intervalMs, uint32_t count) {
    Stop();
    impl_->interval = intervalMs < MinimumInterval ? MinimumInterval : intervalMs;
    impl_->count = count;
    impl_->ticks = 0;
    impl_->tick = new TickSource{this};
    impl_->source = g_timeout_add_full(G_PRIORITY_DEFAULT, impl_->interval, &Impl::OnTick,
                                       impl_->tick, FreeTickSource);
    return impl_->source != 0;
}

void WTimer::Stop() {
    if (impl_->source == 0) {
        return;
    }
    impl_->tick->timer = nullptr;
    g_source_remove(impl_->source);
    impl_->source = 0;
    impl_->tick = nullptr;
}

bool WTimer::Running() const {
    return impl_->source != 0;
}

uint32_t WTimer::Interval() const {
    return impl_->interval;
}
