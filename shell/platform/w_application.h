// The application object of an executable, its message loop, and the calendar clock.
#pragma once

#include <cstdint>

#include "shell/platform/w_events.h"

// What the operating system handed the program's entry function. The program uses none of it.
struct WEntryArguments {
    void* instance = nullptr;
    void* previousInstance = nullptr;
    const char* commandLine = "";
    int showState = 10;  // SW_SHOWDEFAULT
};

// Raises StartEvent (WStartEventData), RunEvent and EndEvent from ApplicationMain.
class WExeApplication : public WObject {
  public:
    WExeApplication();
    ~WExeApplication() override;

    // The one application object, or null.
    static WExeApplication* Current();

    // Remembers the calling thread as the application's, presets the start result (exit code 0,
    // abort false), raises StartEvent, unless aborted raises RunEvent, raises EndEvent, cleans
    // up and answers the exit code.
    int32_t ApplicationMain(const WEntryArguments& arguments);

    // Takes the thread's messages until the quit message (or a failure to take one); the
    // accelerators of the active window's menu are translated first. Answers true when it
    // ended by the quit message.
    bool RunMessageLoop();
    // Posts the quit message; the exit code of the process is not changed by it.
    void Quit(int32_t code);

    int32_t ExitCode() const { return exitCode_; }
    void SetExitCode(int32_t code) { exitCode_ = code; }

  private:
    int32_t exitCode_ = 0;
};

// The program's entry function, written by the program: the backend's operating-system entry
// point (WinMain, main) calls it and returns its answer as the process exit code.
int32_t WProgramEntry(const WEntryArguments& arguments);

// The current calendar time in whole seconds.
uint32_t WCalendarSeconds();
