// What the shell tests share: a scripted run of the whole program on the headless backend, a
// main window made without the loop, and a way to make one allocation of the shell fail.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <vector>

#include "shell/form1.h"
#include "shell/platform/headless/headless_driver.h"
#include "shell/platform/w_application.h"

// The shell allocates the parts of its windows with new (std::nothrow); the tests replace that
// operator so that a chosen one of those allocations fails.
namespace allocfault {
// 0: none fails; n: the n-th nothrow allocation after Arm fails.
void Arm(int failAt);
void Disarm();
// The sizes of the nothrow allocations since Arm, in order.
std::vector<size_t> Sizes();
}  // namespace allocfault

// Steps run one per idle call of whichever message loop runs (the application's, or the About
// box's nested one); when they are used up, the loops end as if no message could be taken.
struct Script {
    std::vector<std::function<void()>> steps;
    size_t next = 0;
    int idleCalls = 0;

    bool operator()() {
        ++idleCalls;
        if (next == steps.size()) {
            return false;
        }
        steps[next++]();
        return true;
    }
};

// Runs the program through its entry function with the script; answers the exit code.
inline int RunProgram(Script& script, const WEntryArguments& arguments = {},
                      uint32_t seconds = 1234) {
    headless::Reset();
    headless::SetCalendarSeconds(seconds);
    headless::SetIdle([&script] { return script(); });
    const int code = WProgramEntry(arguments);
    headless::SetIdle(nullptr);
    return code;
}

// Delivers ticks as the system would between two other messages.
inline void Ticks(int count) {
    for (int i = 0; i < count; ++i) {
        headless::Tick();
    }
}

// A main window made as the start of the program makes it, without running the loop.
class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        headless::Reset();
        headless::SetCalendarSeconds(1234);
        window = CreateMainWindow();
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override {
        DestroyMainWindow();
        headless::Reset();
        EXPECT_TRUE(headless::TopLevelWindows().empty());
    }

    Form1* window = nullptr;
};
