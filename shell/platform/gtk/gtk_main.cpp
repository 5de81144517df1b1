// The operating system's entry point of the Linux program: start GTK, then hand over to the
// program's entry function, whose answer is the exit code.
#include <string>

#include "shell/platform/gtk/gtk_backend.h"
#include "shell/platform/w_application.h"

int main(int argc, char** argv) {
    gtkbackend::Initialise(argc > 0 && argv[0] != nullptr ? argv[0] : "vantorel");
    // The command line as Windows hands it over, without the program's name; the program
    // ignores it.
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) {
            commandLine += ' ';
        }
        commandLine += argv[i];
    }
    WEntryArguments arguments;
    arguments.commandLine = commandLine.c_str();
    return WProgramEntry(arguments);
}
