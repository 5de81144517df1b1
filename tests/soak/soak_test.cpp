// Ten million ticks of random games on the whole program (application object, Form1, view and
// software canvas on the headless backend): random keys of every kind held and released, new
// games from the menu and by accelerator at random moments and after every game over, paint
// events. After every event the invariants of the game state record are checked; after the
// start-up not one heap allocation may happen, and the resident memory may not grow.
#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "engine/invariants.h"
#include "tests/support/program_driver.h"
#include "tests/support/random_player.h"

// --- Counting every allocation of the process through operator new --------------------------

namespace {
bool counting = false;
uint64_t allocations = 0;
size_t firstSize = 0;  // the size of the first allocation counted, to name it in a failure

void* Allocate(std::size_t size) {
    if (counting) {
        if (allocations == 0) {
            firstSize = size;
        }
        ++allocations;
    }
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p == nullptr) {
        throw std::bad_alloc();
    }
    return p;
}
}  // namespace

void* operator new(std::size_t size) {
    return Allocate(size);
}
void* operator new[](std::size_t size) {
    return Allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return Allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return Allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}

namespace {

constexpr int64_t SoakTicks = 10'000'000;
constexpr int64_t SampleEvery = 500'000;  // ticks between two memory samples

// Resident pages that no file backs (heap, stack, anonymous maps: what a leak would grow; the
// program's code pages come in as paths are first taken and are left out), read without the C
// library's buffered files, which allocate.
long ResidentPages() {
    const int fd = ::open("/proc/self/statm", O_RDONLY);
    if (fd < 0) {
        return -1;
    }
    char text[128];
    const ssize_t got = ::read(fd, text, sizeof text - 1);
    ::close(fd);
    if (got <= 0) {
        return -1;
    }
    text[got] = '\0';
    long size = 0;
    long resident = 0;
    long shared = 0;
    return std::sscanf(text, "%ld %ld %ld", &size, &resident, &shared) == 3 ? resident - shared
                                                                            : -1;
}

size_t HeapInUse() {
    return mallinfo2().uordblks;
}

struct SoakRun {
    RandomPlayer player{20261211};
    int64_t ticks = 0;
    int64_t events = 0;
    bool started = false;  // the first idle call: the window is made, the start-up is over
    bool broken = false;
    InvariantViolation violation{};
    const char* brokenAfter = "";
    int64_t brokenAtTick = 0;

    // What the run saw, to show that it went everywhere.
    int64_t games = 0;
    int64_t gamesOver = 0;
    bool phaseSeen[21] = {};
    uint8_t highestLevel = 0;
    uint8_t longestCascade = 0;
    uint32_t highestScore = 0;

    // The frame work: blits that changed pixels of the main window's frame.
    uint64_t blits = 0;

    // Memory.
    size_t heapAtStart = 0;
    long pagesAfterWarmUp = -1;
    long pagesMost = -1;

    void Check(const char* after) {
        const GameState* state = program::State();
        if (state == nullptr || broken) {
            return;
        }
        if (!CheckInvariants(*state, &violation)) {
            broken = true;
            brokenAfter = after;
            brokenAtTick = ticks;
            return;
        }
        phaseSeen[state->phase] = true;
        highestLevel = std::max(highestLevel, state->level);
        longestCascade = std::max(longestCascade, state->chainCount);
        highestScore = std::max(highestScore, state->score);
    }

    bool operator()() {
        if (!started) {
            started = true;
            heapAtStart = HeapInUse();
            counting = true;
        }
        if (ticks >= SoakTicks || broken) {
            counting = false;
            if (WWindow* window = headless::MainWindow()) {
                blits = headless::Describe(*window).blits;
            }
            return false;
        }
        ++events;
        const PlayerAction action = player.Next(program::TimerRunning());
        switch (action.event) {
            case PlayerEvent::Tick: {
                const bool wasRunning = program::TimerRunning();
                headless::Tick();
                ++ticks;
                gamesOver += wasRunning && !program::TimerRunning() ? 1 : 0;
                Check("a tick");
                if (ticks % SampleEvery == 0) {
                    const long pages = ResidentPages();
                    if (ticks == SampleEvery) {
                        pagesAfterWarmUp = pages;
                    }
                    pagesMost = std::max(pagesMost, pages);
                }
                break;
            }
            case PlayerEvent::KeyDown:
                headless::KeyDown(action.key);
                Check("a key-down");
                break;
            case PlayerEvent::KeyUp:
                headless::KeyUp(action.key);
                Check("a key-up");
                break;
            case PlayerEvent::Easy:
                program::Do(player.Below(2) == 0 ? program::Command::EasyItem
                                                 : program::Command::EasyKey);
                ++games;
                Check("Easy");
                break;
            case PlayerEvent::Hard:
                program::Do(player.Below(2) == 0 ? program::Command::HardItem
                                                 : program::Command::HardKey);
                ++games;
                Check("Hard");
                break;
            case PlayerEvent::Paint:
                program::Do(program::Command::Paint);
                Check("a paint");
                break;
        }
        return true;
    }
};

TEST(Soak, TenMillionTicksCleanWithoutAllocationOrGrowth) {
    static SoakRun run;  // large; and nothing of the run itself allocates
    const auto begin = std::chrono::steady_clock::now();
    const int code = program::Run(&run, 1700000000);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - begin;
    counting = false;
    const size_t heapAtEnd = HeapInUse();

    std::printf(
        "soak: %lld ticks, %lld events in %.1f s (%.2f us per tick); %lld games, %lld game "
        "overs, highest level %u, score %u, longest cascade %u\n",
        static_cast<long long>(run.ticks), static_cast<long long>(run.events), took.count(),
        took.count() * 1e6 / static_cast<double>(std::max<int64_t>(run.ticks, 1)),
        static_cast<long long>(run.games), static_cast<long long>(run.gamesOver), run.highestLevel,
        run.highestScore, run.longestCascade);
    std::printf("soak: %llu blits changed the frame\n", static_cast<unsigned long long>(run.blits));
    std::printf(
        "soak: %llu allocations during play; resident pages %ld after warm-up, %ld at "
        "most\n",
        static_cast<unsigned long long>(allocations), run.pagesAfterWarmUp, run.pagesMost);

    ASSERT_FALSE(run.broken) << "invariant broken after " << run.brokenAfter << " at tick "
                             << run.brokenAtTick << ": " << run.violation.text;
    EXPECT_EQ(code, 0);
    EXPECT_EQ(run.ticks, SoakTicks);
    EXPECT_EQ(allocations, 0u) << "the first allocation during play was of " << firstSize
                               << " bytes";
    (void)heapAtEnd;
    // The program is gone at the end; what it held at the start-up was given back.
    EXPECT_LE(heapAtEnd, run.heapAtStart);
    // Nothing grows: the resident size after the warm-up is the most it ever is.
    ASSERT_GT(run.pagesAfterWarmUp, 0);
    EXPECT_LE(run.pagesMost, run.pagesAfterWarmUp) << "resident memory grew during play";

    // The run went everywhere the invariants speak about.
    for (int phase = 1; phase <= 20; ++phase) {
        EXPECT_TRUE(run.phaseSeen[phase]) << "phase " << phase << " never seen";
    }
    EXPECT_GE(run.gamesOver, 100);
    EXPECT_GT(run.highestLevel, 41);
    EXPECT_GE(run.longestCascade, 2);
    // And drew all the way: every fall step alone draws the piece.
    EXPECT_GT(run.blits, static_cast<uint64_t>(SoakTicks / 2));
}

}  // namespace
