// The trace target that is the program itself: the main window Form1 made by the application
// object's start on the headless backend, driven as the system drives it (menu clicks, key
// events to the window, ticks of its step timer, its paint event).
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "tools/trace/trace_script.h"
#include "tools/trace/trace_target.h"

class ShellTraceTarget final : public TraceTarget {
  public:
    // The window is made by the program's start before the trace runs; Create only checks that
    // it is there (the seed is the calendar second the program was started with).
    void Create(uint32_t seed) override;
    void Easy() override;
    void Hard() override;
    void KeyDown(uint32_t code) override;
    void KeyUp(uint32_t code) override;
    void Tick() override;
    bool TimerRunning() const override;
    void Paint() override;
    bool Shot(const std::string& path) override;
    const GameState& State() const override;
};

// Runs the program with the trace inside its message loop: the calendar clock set to seed, the
// application started through its entry function, the trace run by the loop's first idle
// call, then the main window closed as its close box would. Answers the program's exit code;
// *traced tells whether the trace ran and wrote everything (error says what failed).
int RunProgramTrace(uint32_t seed, uint32_t maxTicks, const std::vector<ScriptEvent>& events,
                    std::FILE* out, bool* traced, std::string* error);
