// What a trace drives: one game behind a window, created, commanded, keyed and ticked.
#pragma once

#include <cstdint>
#include <string>

#include "engine/game_state.h"

class TraceTarget {
  public:
    virtual ~TraceTarget() = default;

    // The window's creation: defaults written, a first game set up, the step timer stopped.
    // Every later new game seeds with the same calendar second.
    virtual void Create(uint32_t seed) = 0;
    // The two menu commands: a new game, then the step timer (re)started.
    virtual void Easy() = 0;
    virtual void Hard() = 0;
    // Key events with a Windows virtual-key code, 0x00 to 0xFF.
    virtual void KeyDown(uint32_t code) = 0;
    virtual void KeyUp(uint32_t code) = 0;
    // One tick of the step timer; delivered only while it runs.
    virtual void Tick() = 0;
    virtual bool TimerRunning() const = 0;
    // The window's paint event: the background and the whole board redrawn.
    virtual void Paint() = 0;
    // Writes the window's client area as it stands as a binary PPM (P6, maxval 255); answers
    // whether it was written.
    virtual bool Shot(const std::string& path) = 0;
    virtual const GameState& State() const = 0;
};
