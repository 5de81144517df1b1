#include "tools/trace/shell_trace_target.h"

#include "res/resource_ids.h"
#include "shell/form1.h"
#include "shell/platform/headless/headless_driver.h"
#include "shell/platform/w_application.h"
#include "tools/trace/trace_run.h"

namespace {

// Before the window exists (it always does while a trace runs) the state reads as zeros.
const GameState noState{};

}  // namespace

void ShellTraceTarget::Create(uint32_t seed) {
    headless::SetCalendarSeconds(seed);  // every later new game seeds with the same second
}

void ShellTraceTarget::Easy() {
    headless::ClickMenuItem(ID_Easy);
}

void ShellTraceTarget::Hard() {
    headless::ClickMenuItem(ID_Hard);
}

void ShellTraceTarget::KeyDown(uint32_t code) {
    headless::KeyDown(code);
}

void ShellTraceTarget::KeyUp(uint32_t code) {
    headless::KeyUp(code);
}

void ShellTraceTarget::Tick() {
    headless::Tick();
}

bool ShellTraceTarget::TimerRunning() const {
    return mainWindow != nullptr && mainWindow->stepTimer != nullptr &&
           mainWindow->stepTimer->Running();
}

void ShellTraceTarget::Paint() {
    headless::Paint(mainWindow);
}

bool ShellTraceTarget::Shot(const std::string& path) {
    return mainWindow != nullptr && headless::WriteFrame(*mainWindow, path.c_str());
}

const GameState& ShellTraceTarget::State() const {
    return mainWindow != nullptr ? mainWindow->game.state : noState;
}

int RunProgramTrace(uint32_t seed, uint32_t maxTicks, const std::vector<ScriptEvent>& events,
                    std::FILE* out, bool* traced, std::string* error) {
    *traced = false;
    bool done = false;
    headless::Reset();
    headless::SetCalendarSeconds(seed);
    headless::SetIdle([&] {
        if (done) {
            return false;
        }
        done = true;
        ShellTraceTarget target;
        *traced = RunTrace(seed, maxTicks, events, target, out, error);
        // The run is over: the window is closed as by its close box, and the loop ends.
        return mainWindow != nullptr && headless::RequestCloseActive();
    });
    const int code = WProgramEntry(WEntryArguments{});
    headless::SetIdle(nullptr);
    if (!done && error != nullptr) {
        *error = "the program did not start";
    }
    return code;
}
