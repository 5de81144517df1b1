// Ticks of the whole program on the headless backend: the rules and their drawing onto the
// window's frame through the view and the software canvas, delivered by the backend's timer
// tick as in play. The heaviest tick of each phase, and whole random games tick by tick; each
// beside the 50 ms period of the step timer (fit_in_50ms: how many fit into one period).
#include <benchmark/benchmark.h>

#include <cstdint>

#include "bench/support/worst_ticks.h"
#include "res/resource_ids.h"
#include "shell/form1.h"
#include "shell/platform/headless/headless_driver.h"
#include "tests/support/random_player.h"

namespace {

// A main window with a game started from the menu ("&Easy"), its step timer running.
Form1* StartedWindow(benchmark::State& state) {
    headless::Reset();
    headless::SetCalendarSeconds(1234);
    Form1* window = CreateMainWindow();
    if (window == nullptr || !headless::ClickMenuItem(ID_Easy)) {
        state.SkipWithError("the main window could not be made and started");
        return nullptr;
    }
    headless::Paint();
    return window;
}

void BM_ProgramWorstTick(benchmark::State& state, worst::Tick tick) {
    Form1* window = StartedWindow(state);
    if (window == nullptr) {
        return;
    }
    worst::SetUp(window->game, tick);
    const GameState start = window->game.state;
    const worst::BudgetClock clock;
    for (auto _ : state) {
        window->game.state = start;
        headless::Tick();
    }
    clock.Report(state);
    DestroyMainWindow();
}
BENCHMARK_CAPTURE(BM_ProgramWorstTick, Fall, worst::Tick::Fall);
BENCHMARK_CAPTURE(BM_ProgramWorstTick, Weigh, worst::Tick::Weigh);
BENCHMARK_CAPTURE(BM_ProgramWorstTick, ChainsNoGroup, worst::Tick::ChainsNoGroup);
BENCHMARK_CAPTURE(BM_ProgramWorstTick, ChainsOneGroup, worst::Tick::ChainsOneGroup);
BENCHMARK_CAPTURE(BM_ProgramWorstTick, Gravity, worst::Tick::Gravity);

// A paint event: the background over the whole client area and every scale redrawn.
void BM_ProgramPaint(benchmark::State& state) {
    Form1* window = StartedWindow(state);
    if (window == nullptr) {
        return;
    }
    const worst::BudgetClock clock;
    for (auto _ : state) {
        headless::Paint();
    }
    clock.Report(state);
    DestroyMainWindow();
}
BENCHMARK(BM_ProgramPaint);

// Whole games tick by tick through the backend's driver: a random player's keys, menu commands
// and accelerators, paints, and one tick per iteration.
void BM_ProgramRandomGameTicks(benchmark::State& state) {
    Form1* window = StartedWindow(state);
    if (window == nullptr) {
        return;
    }
    RandomPlayer player(7);
    const worst::BudgetClock clock;
    for (auto _ : state) {
        for (PlayerAction action = player.Next(window->stepTimer->Running());
             action.event != PlayerEvent::Tick;
             action = player.Next(window->stepTimer->Running())) {
            switch (action.event) {
                case PlayerEvent::KeyDown:
                    headless::KeyDown(action.key);
                    break;
                case PlayerEvent::KeyUp:
                    headless::KeyUp(action.key);
                    break;
                case PlayerEvent::Easy:
                    headless::PressAccelerator('E');
                    break;
                case PlayerEvent::Hard:
                    headless::ClickMenuItem(ID_Hard);
                    break;
                default:
                    headless::Paint();
                    break;
            }
        }
        headless::Tick();
    }
    clock.Report(state);
    DestroyMainWindow();
}
BENCHMARK(BM_ProgramRandomGameTicks);

}  // namespace

BENCHMARK_MAIN();
