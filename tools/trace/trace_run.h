// The tick schedule of a trace: creation, the script's events at their tick counts, ticks while
// the timer runs, and one state line after creation's events and after every tick.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "tools/trace/trace_script.h"
#include "tools/trace/trace_target.h"

// Hands one event to the target. Answers false when a shot could not be written.
bool ApplyEvent(const ScriptEvent& event, TraceTarget& target);

// Runs a checked script (ParseScript) against the target and writes the lines to out. Answers
// false if out could not take them all or a shot could not be written; error (when not null)
// then says which.
bool RunTrace(uint32_t seed, uint32_t maxTicks, const std::vector<ScriptEvent>& events,
              TraceTarget& target, std::FILE* out, std::string* error = nullptr);
