// The program as fuzz_game drives it. Until the headless backend's driver is there this is the
// engine with the window's rules around it: ticks only while the step timer runs, no keys and no
// menu commands while the modal About box is shown (ticks go on), nothing at all without a window.
#pragma once

#include <cstdint>
#include <optional>

#include "tests/support/engine_harness.h"

class FuzzProgram {
  public:
    FuzzProgram() { window_.emplace(); }

    const GameState* State() const { return window_ ? &window_->game.state : nullptr; }

    void Tick() {
        if (window_ && window_->timer.running) {
            window_->game.TurnTick();
        }
    }
    void KeyDown(uint8_t code) {
        if (window_ && !aboutShown_) {
            window_->game.HandleKeyDown(code);
        }
    }
    void KeyUp(uint8_t code) {
        if (window_ && !aboutShown_) {
            window_->game.HandleKeyUp(code);
        }
    }
    void Easy() {
        if (window_ && !aboutShown_) {
            window_->game.EasyCommand();
        }
    }
    void Hard() {
        if (window_ && !aboutShown_) {
            window_->game.HardCommand();
        }
    }
    void Paint() {
        if (window_) {
            window_->Paint();
        }
    }
    void ShowAbout() { aboutShown_ = window_.has_value(); }
    void DismissAbout() { aboutShown_ = false; }
    void Close() {
        if (!aboutShown_) {
            window_.reset();
        }
    }
    void Remake(bool failFirst) {
        (void)failFirst;  // a failed attempt leaves no window; the next one makes it
        if (!window_) {
            window_.emplace(++seconds_);
        }
    }

  private:
    std::optional<EngineHarness> window_;
    bool aboutShown_ = false;
    uint32_t seconds_ = 0;
};
