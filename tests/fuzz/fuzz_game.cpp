// Fuzzing the game through everything that can happen to it: ticks, key-downs and key-ups of every
// code 0..255, "&Easy", "&Hard", paint events, the About box shown and dismissed, the window
// closed and made again. After every event the invariants of the game state record are checked;
// a broken one aborts with its description.
//
// The input is a sequence of operations, one byte each (some take the next byte as argument):
//   0x00..0x3F  ticks: (low 5 bits + 1) of them, while the step timer runs
//   0x40..0x5F  a long run of ticks: (low 5 bits + 1) x 32
//   0x60..0x7F  key down, the code is the next byte
//   0x80..0x9F  key up, the code is the next byte
//   0xA0..0xBF  by the low 3 bits: Easy, Hard, paint, About shown, About dismissed, window
//               closed, window made again, window made again after a failed attempt
//   0xC0..0xFF  ticks, as 0x00..0x3F
// At most MaxTicks ticks run per input, so that each input ends quickly.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "engine/invariants.h"
#include "tests/fuzz/fuzz_program.h"

namespace {

constexpr int MaxTicks = 20000;

void CheckOrAbort(FuzzProgram& program, const char* after) {
    const GameState* state = program.State();
    if (state == nullptr) {
        return;  // no window, no game
    }
    InvariantViolation violation;
    if (!CheckInvariants(*state, &violation)) {
        std::fprintf(stderr, "fuzz_game: invariant broken after %s: %s\n", after, violation.text);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzProgram program;
    CheckOrAbort(program, "start-up");
    int ticks = 0;
    for (size_t i = 0; i < size && ticks < MaxTicks; ++i) {
        const uint8_t op = data[i];
        const uint8_t low = op & 31;
        if (op < 0x40 || op >= 0xC0 || (op >= 0x40 && op < 0x60)) {
            const int count = op >= 0x40 && op < 0x60 ? (low + 1) * 32 : (op & 63) % 32 + 1;
            for (int n = 0; n < count && ticks < MaxTicks; ++n, ++ticks) {
                program.Tick();
                CheckOrAbort(program, "a tick");
            }
            continue;
        }
        if (op < 0xA0) {
            const uint8_t code = i + 1 < size ? data[++i] : 0;
            if (op < 0x80) {
                program.KeyDown(code);
                CheckOrAbort(program, "a key-down");
            } else {
                program.KeyUp(code);
                CheckOrAbort(program, "a key-up");
            }
            continue;
        }
        switch (low & 7) {
            case 0:
                program.Easy();
                break;
            case 1:
                program.Hard();
                break;
            case 2:
                program.Paint();
                break;
            case 3:
                program.ShowAbout();
                break;
            case 4:
                program.DismissAbout();
                break;
            case 5:
                program.Close();
                break;
            case 6:
                program.Remake(false);
                break;
            default:
                program.Remake(true);
                break;
        }
        CheckOrAbort(program, "a command");
    }
    return 0;
}
