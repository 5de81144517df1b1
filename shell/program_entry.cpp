// The program's entry function: the backend's operating-system entry point calls it.
#include "shell/application_class.h"
#include "shell/platform/w_application.h"

int32_t WProgramEntry(const WEntryArguments& arguments) {
    // The arguments are the operating system's; the program uses none of them.
    return application.ApplicationMain(arguments);
}
