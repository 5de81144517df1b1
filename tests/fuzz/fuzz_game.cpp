// Fuzzing the whole program on the headless backend through everything that can happen to it:
// ticks, key-downs and key-ups of every code 0..255, the menu commands and their accelerators,
// paint events, the About box shown and dismissed in every way, the window closed in every way
// and the program started again, a start whose window cannot be made. After every event the
// invariants of the game state record are checked, and after every run the exit code and that
// nothing of the program is left (windows, timers). A broken check aborts with its description.
//
// The input is a sequence of operations, one byte each (key operations take the next byte):
//   0x00..0x3F  ticks: (low 5 bits + 1) of them (a tick reaches only running timers)
//   0x40..0x5F  a long run of ticks: (low 5 bits + 1) x 32
//   0x60..0x7F  key down of the next byte's code (bit 4: an auto-repeated key-down)
//   0x80..0x9F  key up of the next byte's code
//   0xA0..0xBF  by the low 4 bits: 0..12 a command (program::Command, in its order);
//               13 the next start of the program fails to make its window; 14 the calendar
//               clock moves on by a second; 15 Ctrl plus the next byte's code
//   0xC0..0xFF  ticks, as 0x00..0x3F
// When a run of the program ends (its window closed) and input is left, the program starts
// again. At most MaxTicks ticks are delivered per input.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "engine/invariants.h"
#include "tests/support/program_driver.h"

namespace {

constexpr int MaxTicks = 5000;

[[noreturn]] void Broken(const char* what, const char* detail = "") {
    std::fprintf(stderr, "fuzz_game: %s%s\n", what, detail);
    std::abort();
}

void CheckState(const char* after) {
    const GameState* state = program::State();
    if (state == nullptr) {
        return;
    }
    InvariantViolation violation;
    if (!CheckInvariants(*state, &violation)) {
        std::fprintf(stderr, "fuzz_game: invariant broken after %s: %s\n", after, violation.text);
        std::abort();
    }
}

struct Input {
    const uint8_t* data;
    size_t size;
    size_t next = 0;
    int ticks = 0;
    bool failNextStart = false;
    uint32_t seconds = 1234;

    // One operation per call; false when the input is used up.
    bool operator()() {
        if (next >= size || ticks >= MaxTicks) {
            return false;
        }
        const uint8_t op = data[next++];
        const uint8_t low = op & 31;
        if (op < 0x60 || op >= 0xC0) {
            const int count = op >= 0x40 && op < 0x60 ? (low + 1) * 32 : low + 1;
            for (int n = 0; n < count && ticks < MaxTicks; ++n, ++ticks) {
                headless::Tick();
                CheckState("a tick");
            }
            return true;
        }
        if (op < 0xA0) {
            const uint8_t code = next < size ? data[next++] : 0;
            if (op < 0x80) {
                headless::KeyOptions options;
                options.autoRepeat = (op & 0x10) != 0;
                headless::KeyDown(code, options);
                CheckState("a key-down");
            } else {
                headless::KeyUp(code);
                CheckState("a key-up");
            }
            return true;
        }
        const uint8_t which = op & 15;
        if (which < program::CommandCount) {
            program::Do(static_cast<program::Command>(which));
            CheckState("a command");
        } else if (which == 13) {
            failNextStart = true;
        } else if (which == 14) {
            headless::SetCalendarSeconds(++seconds);
        } else {
            const uint8_t code = next < size ? data[next++] : 0;
            headless::PressAccelerator(code);
            CheckState("a Ctrl key");
        }
        return true;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Input input{data, size};
    do {
        const bool fail = input.failNextStart;
        input.failNextStart = false;
        const int code = program::Run(&input, input.seconds, fail);
        if (code != (fail ? -1 : 0)) {
            std::fprintf(stderr, "fuzz_game: exit code %d after a %s start\n", code,
                         fail ? "failed" : "good");
            std::abort();
        }
        if (mainWindow != nullptr) {
            Broken("the main window object outlived the program");
        }
        if (!headless::TopLevelWindows().empty()) {
            Broken("a window outlived the program");
        }
        if (headless::RunningTimers() != 0 || headless::ModalDepth() != 0) {
            Broken("a timer or a modal run outlived the program");
        }
    } while (input.next < input.size && input.ticks < MaxTicks);
    return 0;
}
