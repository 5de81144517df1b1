// The operating system's entry point of the Windows program.
#include "shell/platform/w_application.h"
#include "shell/platform/win32/win32_internal.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine,
                   int showState) {
    WEntryArguments arguments;
    arguments.instance = instance;
    arguments.previousInstance = previousInstance;
    arguments.commandLine = commandLine != nullptr ? commandLine : "";
    arguments.showState = showState;
    return WProgramEntry(arguments);
}
