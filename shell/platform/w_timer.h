// A timer of the thread: its ticks arrive through any message loop of the thread.
#pragma once

#include <cstdint>

#include "shell/platform/w_events.h"

// Raises TimerEvent on every tick.
class WTimer : public WObject {
  public:
    WTimer();
    ~WTimer() override;  // stops the timer: no tick arrives after this
    // Starts the timer with a period; count 0 means no limit. Starting a running timer first
    // stops it, so the first tick comes one full period later.
    bool Start(uint32_t intervalMs, uint32_t count = 0);
    void Stop();
    bool Running() const;
    uint32_t Interval() const;

    struct Impl;
    Impl* impl() const { return impl_; }

  private:
    Impl* impl_ = nullptr;
};
