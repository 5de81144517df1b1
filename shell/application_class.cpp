// The application object.
#include "shell/application_class.h"

#include "shell/form1.h"

ApplicationClass application;

ApplicationClass::ApplicationClass() {
    Bind(WEventId::Start, WHandler<&ApplicationClass::OnStart>(this));
    Bind(WEventId::Start, WHandler<&ApplicationClass::StartDefaults>(this));
    Bind(WEventId::Run, WHandler<&ApplicationClass::OnRun>(this));
    Bind(WEventId::Run, WHandler<&ApplicationClass::RunDefaults>(this));
    Bind(WEventId::End, WHandler<&ApplicationClass::OnEnd>(this));
    Bind(WEventId::End, WHandler<&ApplicationClass::EndDefaults>(this));
}

ApplicationClass::~ApplicationClass() {
    Unbind(WEventId::Start, WHandler<&ApplicationClass::OnStart>(this));
    Unbind(WEventId::Start, WHandler<&ApplicationClass::StartDefaults>(this));
    Unbind(WEventId::Run, WHandler<&ApplicationClass::OnRun>(this));
    Unbind(WEventId::Run, WHandler<&ApplicationClass::RunDefaults>(this));
    Unbind(WEventId::End, WHandler<&ApplicationClass::OnEnd>(this));
    Unbind(WEventId::End, WHandler<&ApplicationClass::EndDefaults>(this));
}

bool ApplicationClass::StartDefaults(WObject* /*source*/, WEventData* data) {
    if (auto* start = static_cast<WStartEventData*>(data)) {
        start->exitCode = 0;
        start->abort = false;
    }
    return false;
}

bool ApplicationClass::OnStart(WObject* /*source*/, WEventData* data) {
    if (CreateMainWindow() == nullptr) {
        if (auto* start = static_cast<WStartEventData*>(data)) {
            start->exitCode = -1;
            start->abort = true;
        }
        SetExitCode(-1);
    }
    return true;
}

bool ApplicationClass::RunDefaults(WObject* /*source*/, WEventData* /*data*/) {
    return false;
}

bool ApplicationClass::OnRun(WObject* /*source*/, WEventData* /*data*/) {
    RunMessageLoop();  // ends with the quit message, or when no message can be taken
    return true;
}

bool ApplicationClass::EndDefaults(WObject* /*source*/, WEventData* /*data*/) {
    return false;
}

bool ApplicationClass::OnEnd(WObject* /*source*/, WEventData* /*data*/) {
    DestroyMainWindow();
    mainWindow = nullptr;
    return true;
}
