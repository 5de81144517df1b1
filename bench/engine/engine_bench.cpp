// The heaviest tick of each phase of the turn cycle, and whole games tick by tick, with the rules
// alone: the drawing draws nothing (it only clears the dirty flags as the board drawing does).
// Each beside the 50 ms period of the step timer (fit_in_50ms: how many fit into one period).
// The same ticks with their drawing onto the frame are measured by program_bench.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "bench/support/worst_ticks.h"
#include "engine/game.h"
#include "tests/support/engine_harness.h"
#include "tests/support/random_player.h"

namespace {

// One TurnTick per iteration from the same record, restored before each tick.
void BM_WorstTick(benchmark::State& state, worst::Tick tick) {
    EngineHarness h;
    h.game.EasyCommand();
    worst::SetUp(h.game, tick);
    const GameState start = h.game.state;
    const worst::BudgetClock clock;
    for (auto _ : state) {
        h.game.state = start;
        h.game.TurnTick();
        benchmark::DoNotOptimize(h.game.state);
    }
    clock.Report(state);
}
BENCHMARK_CAPTURE(BM_WorstTick, Fall, worst::Tick::Fall);
BENCHMARK_CAPTURE(BM_WorstTick, Weigh, worst::Tick::Weigh);
BENCHMARK_CAPTURE(BM_WorstTick, ChainsNoGroup, worst::Tick::ChainsNoGroup);
BENCHMARK_CAPTURE(BM_WorstTick, ChainsOneGroup, worst::Tick::ChainsOneGroup);
BENCHMARK_CAPTURE(BM_WorstTick, Gravity, worst::Tick::Gravity);

// Whole games tick by tick: a random player (keys, new games) plays on, one tick per iteration;
// the key events and commands between ticks are part of the measured work.
void BM_RandomGameTicks(benchmark::State& state) {
    EngineHarness h;
    RandomPlayer player(7);
    h.game.EasyCommand();
    int64_t games = 0;
    const worst::BudgetClock clock;
    for (auto _ : state) {
        for (PlayerAction action = player.Next(h.timer.running); action.event != PlayerEvent::Tick;
             action = player.Next(h.timer.running)) {
            switch (action.event) {
                case PlayerEvent::KeyDown:
                    h.game.HandleKeyDown(action.key);
                    break;
                case PlayerEvent::KeyUp:
                    h.game.HandleKeyUp(action.key);
                    break;
                case PlayerEvent::Easy:
                    h.game.EasyCommand();
                    ++games;
                    break;
                case PlayerEvent::Hard:
                    h.game.HardCommand();
                    ++games;
                    break;
                default:
                    h.Paint();
                    break;
            }
        }
        h.game.TurnTick();
        benchmark::DoNotOptimize(h.game.state);
    }
    clock.Report(state);
    state.counters["games"] = static_cast<double>(games);
}
BENCHMARK(BM_RandomGameTicks);

}  // namespace

BENCHMARK_MAIN();
