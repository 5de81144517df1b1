// Fuzzing the whole program with its resources replaced by the input: the input is the program's
// compiled resource script (.res image), and the program is started on it and played for a
// while (Easy, ticks with keys, a paint, the About box shown, painted and dismissed, Hard, more
// ticks, Exit). Whatever the resources hold - a template that is no template, a menu without its
// end, a sheet of the wrong size or none, icons that do not decode - the program either ends
// with exit code -1 (no main window) or runs with what it could load and ends with 0; it never
// reads outside a resource or a sheet (the sanitizers watch every access), and the invariants of
// the game state record hold after every event.
//
// This target answers the program's resource look-ups itself: its FindProgramResource takes the
// place of the embedded one (the linker then leaves that one out of the program).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/invariants.h"
#include "shell/platform/resfile/res_directory.h"
#include "tests/support/program_driver.h"

namespace {

ResImage image;

void CheckState() {
    const GameState* state = program::State();
    InvariantViolation violation;
    if (state != nullptr && !CheckInvariants(*state, &violation)) {
        std::fprintf(stderr, "fuzz_program_resources: invariant broken: %s\n", violation.text);
        std::abort();
    }
}

// The events of one run: a short game of each kind with the About box in between.
struct Play {
    int step = 0;

    bool operator()() {
        const int at = step++;
        if (at == 0) {
            program::Do(program::Command::EasyItem);
        } else if (at < 200) {
            if (at % 37 == 0) {
                headless::KeyDown(at % 2 == 0 ? 0x41 : 0x44);  // A or D
            } else if (at % 37 == 20) {
                headless::KeyUp(at % 2 == 0 ? 0x41 : 0x44);
            } else if (at % 50 == 10) {
                headless::KeyDown(0x58);  // X: drop
            }
            headless::Tick();
        } else if (at == 200) {
            program::Do(program::Command::Paint);
        } else if (at == 201) {
            program::Do(program::Command::AboutItem);  // the next events reach the box
        } else if (at == 202) {
            program::Do(program::Command::PaintActive);
        } else if (at == 203) {
            headless::Tick();
        } else if (at == 204) {
            program::Do(program::Command::AboutOk);
            program::Do(program::Command::Escape);  // in case the box has no OK button
        } else if (at == 205) {
            program::Do(program::Command::HardKey);
        } else if (at < 320) {
            headless::Tick();
        } else if (at == 320) {
            program::Do(program::Command::ExitItem);
        } else {
            return false;  // no way out worked (no menu): every loop ends
        }
        CheckState();
        return true;
    }
};

}  // namespace

bool FindProgramResource(uint16_t type, uint16_t id, ResBytes* out) {
    return image.Find(type, id, out);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // In a buffer of exactly the input's size: one byte too far is caught.
    uint8_t* bytes = static_cast<uint8_t*>(std::malloc(size == 0 ? 1 : size));
    std::memcpy(bytes, data, size);
    if (!image.Parse(bytes, size)) {
        image = ResImage{};
    }
    Play play;
    const int code = program::Run(&play, 1234);
    if (code != 0 && code != -1) {
        std::fprintf(stderr, "fuzz_program_resources: exit code %d\n", code);
        std::abort();
    }
    if (mainWindow != nullptr || !headless::TopLevelWindows().empty() ||
        headless::RunningTimers() != 0) {
        std::fprintf(stderr, "fuzz_program_resources: something outlived the program\n");
        std::abort();
    }
    image = ResImage{};
    std::free(bytes);
    return 0;
}
