// The headless backend's operating-system entry point: hands the command line to the program's
// entry function and returns its answer as the exit status. Without a display there is no
// input, so the program starts, finds no message to take, and ends.
#include <string>

#include "shell/platform/w_application.h"

int main(int argc, char** argv) {
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        commandLine += (i > 1 ? " " : "");
        commandLine += argv[i];
    }
    WEntryArguments arguments;
    arguments.commandLine = commandLine.c_str();
    return WProgramEntry(arguments);
}
