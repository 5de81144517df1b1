// vantorel-trace --seed S [--ticks N] [--script FILE]
// Runs the game headless as the window would and prints the state after every tick.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "tools/trace/game_trace_target.h"
#include "tools/trace/trace_run.h"
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
    GameTraceTarget target;
    if (!RunTrace(options.seed, options.ticks, events, target, stdout)) {
        std::fprintf(stderr, "vantorel-trace: cannot write the output\n");
        return 1;
    }
    return 0;
}
