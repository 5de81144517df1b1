// Command line and script parsing for the trace runner.
#include "tools/trace/trace_script.h"

#include <cstddef>

const char traceUsage[] =
    "usage: vantorel-trace --seed S [--ticks N] [--script FILE]\n"
    "  --seed S       calendar second that every new game seeds with, 0 to 4294967295\n"
    "  --ticks N      most ticks to deliver, 0 to 4294967295 (default 100000)\n"
    "  --script FILE  events, one a line: AT EVENT [ARG]; '#' starts a comment\n"
    "                 events: easy, hard, keydown CODE, keyup CODE (CODE like 0x41),\n"
    "                 paint, shot PATH (the window's client area as a binary PPM)\n";

namespace {

constexpr uint32_t MaxNumber = 4294967295u;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && IsBlank(line[i])) {
            ++i;
        }
        const std::size_t start = i;
        while (i < line.size() && !IsBlank(line[i])) {
            ++i;
        }
        if (i > start) {
            words.push_back(line.substr(start, i - start));
        }
    }
    return words;
}

std::string Quoted(std::string_view word) {
    return "'" + std::string(word) + "'";
}

}  // namespace

bool ParseDecimal(std::string_view text, uint32_t max, uint32_t& value) {
    if (text.empty()) {
        return false;
    }
    uint64_t result = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        result = result * 10 + static_cast<uint64_t>(c - '0');
        if (result > max) {
            return false;
        }
    }
    value = static_cast<uint32_t>(result);
    return true;
}

bool ParseHex(std::string_view text, uint32_t max, uint32_t& value) {
    if (text.size() < 3 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X')) {
        return false;
    }
    uint64_t result = 0;
    for (char c : text.substr(2)) {
        int digit = 0;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else {
            return false;
        }
        result = result * 16 + static_cast<uint64_t>(digit);
        if (result > max) {
            return false;
        }
    }
    value = static_cast<uint32_t>(result);
    return true;
}

bool ParseScript(std::string_view text, std::vector<ScriptEvent>& events, std::string& error,
                 std::span<const EventSpec> table) {
    events.clear();
    int lineNumber = 0;
    uint32_t lastAt = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        ++lineNumber;
        const std::string where = "line " + std::to_string(lineNumber) + ": ";

        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (const std::size_t hash = line.find('#'); hash != std::string_view::npos) {
            line = line.substr(0, hash);
        }
        const std::vector<std::string_view> words = Words(line);
        if (words.empty()) {
            continue;
        }

        ScriptEvent event;
        event.line = lineNumber;
        if (!ParseDecimal(words[0], MaxNumber, event.at)) {
            error = where + "the tick count " + Quoted(words[0]) +
                    " is not a whole number from 0 to 4294967295";
            return false;
        }
        if (!events.empty() && event.at < lastAt) {
            error = where + "tick " + std::to_string(event.at) + " comes before tick " +
                    std::to_string(lastAt) + " of an earlier line";
            return false;
        }
        if (words.size() < 2) {
            error = where + "an event is missing after the tick count";
            return false;
        }
        const EventSpec* spec = nullptr;
        for (const EventSpec& candidate : table) {
            if (candidate.name == words[1]) {
                spec = &candidate;
                break;
            }
        }
        if (spec == nullptr) {
            error = where + "unknown event " + Quoted(words[1]);
            return false;
        }
        event.kind = spec->kind;

        std::size_t used = 2;
        if (spec->argument != ArgumentKind::None) {
            if (words.size() < 3) {
                error =
                    where + "'" + std::string(spec->name) + "' needs " +
                    (spec->argument == ArgumentKind::KeyCode ? "a key code like 0x41" : "a path");
                return false;
            }
            if (spec->argument == ArgumentKind::KeyCode) {
                if (!ParseHex(words[2], 0xFF, event.code)) {
                    error = where + "the key code " + Quoted(words[2]) +
                            " is not a hexadecimal code from 0x00 to 0xFF";
                    return false;
                }
            } else {
                event.path = std::string(words[2]);
            }
            used = 3;
        }
        if (words.size() > used) {
            error = where + "words left over after '" + std::string(spec->name) +
                    "': " + Quoted(words[used]);
            return false;
        }
        lastAt = event.at;
        events.push_back(std::move(event));
    }
    return true;
}

CommandLine ParseCommandLine(std::span<const std::string_view> args, TraceOptions& options,
                             std::string& error) {
    options = TraceOptions{};
    bool hasSeed = false;
    bool hasTicks = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--help" || arg == "-h") {
            return CommandLine::Help;
        }
        const bool isSeed = arg == "--seed";
        const bool isTicks = arg == "--ticks";
        const bool isScript = arg == "--script";
        if (!isSeed && !isTicks && !isScript) {
            error = arg.substr(0, 1) == "-" ? "unknown option " + Quoted(arg)
                                            : "unexpected argument " + Quoted(arg);
            return CommandLine::Error;
        }
        if ((isSeed && hasSeed) || (isTicks && hasTicks) || (isScript && options.hasScript)) {
            error = "option " + Quoted(arg) + " given twice";
            return CommandLine::Error;
        }
        if (i + 1 >= args.size()) {
            error = "option " + Quoted(arg) + " needs a value";
            return CommandLine::Error;
        }
        const std::string_view value = args[++i];
        if (isSeed) {
            if (!ParseDecimal(value, MaxNumber, options.seed)) {
                error = "--seed: " + Quoted(value) + " is not a whole number from 0 to 4294967295";
                return CommandLine::Error;
            }
            hasSeed = true;
        } else if (isTicks) {
            if (!ParseDecimal(value, MaxNumber, options.ticks)) {
                error = "--ticks: " + Quoted(value) + " is not a whole number from 0 to 4294967295";
                return CommandLine::Error;
            }
            hasTicks = true;
        } else {
            if (value.empty()) {
                error = "--script: the file name is empty";
                return CommandLine::Error;
            }
            options.scriptPath = std::string(value);
            options.hasScript = true;
        }
    }
    if (!hasSeed) {
        error = "missing --seed";
        return CommandLine::Error;
    }
    return CommandLine::Run;
}
