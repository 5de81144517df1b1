#include "tools/trace/trace_run.h"

#include <cstddef>

#include "tools/trace/trace_format.h"

bool ApplyEvent(const ScriptEvent& event, TraceTarget& target) {
    switch (event.kind) {
        case EventKind::Easy:
            target.Easy();
            break;
        case EventKind::Hard:
            target.Hard();
            break;
        case EventKind::KeyDown:
            target.KeyDown(event.code);
            break;
        case EventKind::KeyUp:
            target.KeyUp(event.code);
            break;
        case EventKind::Paint:
            target.Paint();
            break;
        case EventKind::Shot:
            return target.Shot(event.path);
    }
    return true;
}

bool RunTrace(uint32_t seed, uint32_t maxTicks, const std::vector<ScriptEvent>& events,
              TraceTarget& target, std::FILE* out, std::string* error) {
    std::size_t next = 0;
    bool shotsWritten = true;
    // Events whose tick count is reached happen in file order; the counts never go backwards.
    auto applyEventsAt = [&](uint32_t ticks) {
        while (next < events.size() && events[next].at == ticks) {
            const ScriptEvent& event = events[next++];
            if (!ApplyEvent(event, target) && shotsWritten) {
                shotsWritten = false;
                if (error != nullptr) {
                    *error = "line " + std::to_string(event.line) + ": cannot write the frame '" +
                             event.path + "'";
                }
            }
        }
    };
    char line[TraceLineCapacity];
    bool written = true;
    auto print = [&](uint32_t ticks) {
        const std::size_t length = FormatStateLine(target.State(), ticks, line);
        written = std::fwrite(line, 1, length, out) == length && written;
    };

    target.Create(seed);
    applyEventsAt(0);
    print(0);
    uint32_t ticks = 0;
    while (target.TimerRunning() && ticks < maxTicks) {
        target.Tick();
        ++ticks;
        print(ticks);
        applyEventsAt(ticks);
    }
    const bool flushed = std::fflush(out) == 0 && written;
    if (!flushed && error != nullptr && shotsWritten) {
        *error = "cannot write the output";
    }
    return flushed && shotsWritten;
}
