// The parts of the application object that every backend shares: the one current object and
// the start, run and end sequence. The message loop and the quit request are the backend's.
#include "shell/platform/w_application.h"

namespace {
WExeApplication* currentApplication = nullptr;
}

WExeApplication::WExeApplication() {
    if (currentApplication == nullptr) {
        currentApplication = this;
    }
}

WExeApplication::~WExeApplication() {
    if (currentApplication == this) {
        currentApplication = nullptr;
    }
}

WExeApplication* WExeApplication::Current() {
    return currentApplication;
}

int32_t WExeApplication::ApplicationMain(const WEntryArguments& /*arguments*/) {
    // The calling thread is the application's: every window, timer and loop of the program
    // lives on it. The start result is preset to a successful start.
    WStartEventData start;
    start.exitCode = 0;
    start.abort = false;
    exitCode_ = 0;
    Raise(WEventId::Start, &start);
    exitCode_ = start.exitCode;
    if (!start.abort) {
        WEventData run;
        Raise(WEventId::Run, &run);
    }
    WEventData end;
    Raise(WEventId::End, &end);
    return exitCode_;
}
