// vantorel-trace --seed S [--ticks N] [--script FILE]
// Runs the program headless, its main window driven as the system would, and prints the game
// state after every tick.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "tools/trace/shell_trace_target.h"
#include "tools/trace/trace_script.h"

namespace {

int Fail(const std::string& message) {
    std::fprintf(stderr, "vantorel-trace: %s\n", message.c_str());
    std::fprintf(stderr, "%s", traceUsage);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string_view> args(argv + 1, argv + argc);
    TraceOptions options;
    std::string error;
    switch (ParseCommandLine(args, options, error)) {
        case CommandLine::Help:
            std::fputs(traceUsage, stdout);
            return 0;
        case CommandLine::Error:
            return Fail(error);
        case CommandLine::Run:
            break;
    }

    // Everything is checked before the first line is printed.
    std::vector<ScriptEvent> events;
    if (options.hasScript) {
        std::ifstream file(options.scriptPath, std::ios::binary);
        std::ostringstream text;
        if (file) {
            text << file.rdbuf();
        }
        if (!file || file.bad()) {
            return Fail("cannot read the script '" + options.scriptPath + "'");
        }
        if (!ParseScript(text.str(), events, error)) {
            return Fail(options.scriptPath + ": " + error);
        }
    }

    static char buffer[1 << 16];
    std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
    // The program itself runs the trace, inside its message loop.
    bool traced = false;
    std::string failure;
    const int code =
        RunProgramTrace(options.seed, options.ticks, events, stdout, &traced, &failure);
    if (!traced) {
        std::fprintf(stderr, "vantorel-trace: %s\n", failure.c_str());
        return 1;
    }
    if (code != 0) {
        std::fprintf(stderr, "vantorel-trace: the program ended with exit code %d\n", code);
        return 1;
    }
    return 0;
}
