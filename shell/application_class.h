// The application object: makes the main window at the start, runs the message loop and
// deletes the main window at the end.
#pragma once

#include "shell/platform/w_application.h"
#include "shell/platform/w_events.h"

class ApplicationClass : public WExeApplication {
  public:
    ApplicationClass();
    ~ApplicationClass() override;

    bool OnStart(WObject* source, WEventData* data);
    bool OnRun(WObject* source, WEventData* data);
    bool OnEnd(WObject* source, WEventData* data);

    // Bound after the main handlers, so they run first; each leaves what the platform set and
    // lets the main handler go on.
    bool StartDefaults(WObject* source, WEventData* data);
    bool RunDefaults(WObject* source, WEventData* data);
    bool EndDefaults(WObject* source, WEventData* data);
};

// The one application object of the program.
extern ApplicationClass application;
