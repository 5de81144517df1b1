// The trace runner's input: the command line and the event script, checked completely before
// anything runs.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

enum class EventKind : uint8_t {
    Easy,
    Hard,
    KeyDown,
    KeyUp,
    Paint,  // the window's paint event
    Shot,   // the window's client area written as a binary PPM
};

// What follows an event's name on its line.
enum class ArgumentKind : uint8_t {
    None,     // nothing
    KeyCode,  // a virtual-key code in hexadecimal, 0x00 to 0xFF
    Path,     // one word, taken as it stands
};

struct EventSpec {
    std::string_view name;
    EventKind kind;
    ArgumentKind argument;
};

// The events a script may use. A new event is one more row here, one more EventKind and one
// more case where the events are applied (ApplyEvent).
inline constexpr EventSpec traceEvents[] = {
    {"easy", EventKind::Easy, ArgumentKind::None},
    {"hard", EventKind::Hard, ArgumentKind::None},
    {"keydown", EventKind::KeyDown, ArgumentKind::KeyCode},
    {"keyup", EventKind::KeyUp, ArgumentKind::KeyCode},
    {"paint", EventKind::Paint, ArgumentKind::None},
    {"shot", EventKind::Shot, ArgumentKind::Path},
};

struct ScriptEvent {
    uint32_t at = 0;  // ticks delivered when the event happens
    EventKind kind = EventKind::Easy;
    uint32_t code = 0;  // ArgumentKind::KeyCode
    std::string path;   // ArgumentKind::Path
    int line = 0;       // where it stands in the script, from 1
};

// Parses a whole script. On a fault answers false with a message naming the line
// ("line 4: unknown event 'jump'") and leaves events in an unspecified state.
bool ParseScript(std::string_view text, std::vector<ScriptEvent>& events, std::string& error,
                 std::span<const EventSpec> table = traceEvents);

struct TraceOptions {
    uint32_t seed = 0;
    uint32_t ticks = 100000;
    bool hasScript = false;
    std::string scriptPath;
};

enum class CommandLine : uint8_t { Run, Help, Error };

// Parses the arguments after the program name.
CommandLine ParseCommandLine(std::span<const std::string_view> args, TraceOptions& options,
                             std::string& error);

// A whole number in decimal digits only (no sign, no blanks), at most max.
bool ParseDecimal(std::string_view text, uint32_t max, uint32_t& value);
// "0x" or "0X" and one or more hexadecimal digits of either case, at most max.
bool ParseHex(std::string_view text, uint32_t max, uint32_t& value);

extern const char traceUsage[];
