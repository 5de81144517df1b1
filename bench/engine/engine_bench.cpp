// The heaviest tick of each phase of the turn cycle, and whole games tick by tick, each beside
// the 50 ms period of the step timer: the counter fit_in_50ms says how many times the measured
// work fits into one period (1 would use the whole period; above 1 is within the budget).
//
// The rules run here with a drawing that draws nothing (it only clears the dirty flags as the
// board drawing does); the drawing of the same ticks onto the software canvas is measured by the
// frame benchmarks (bench/view, and FrameTick below once a canvas is given).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>

#include "engine/game.h"
#include "tests/support/engine_harness.h"
#include "tests/support/random_player.h"

namespace {

constexpr double TickPeriodSeconds = StepTimerIntervalMs / 1000.0;

// Measures the loop's wall time and reports how many of its iterations fit into one period.
class BudgetClock {
  public:
    void Report(benchmark::State& state) const {
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start_;
        const double perIteration = elapsed.count() / static_cast<double>(state.iterations());
        state.counters["fit_in_50ms"] = TickPeriodSeconds / perIteration;
    }

  private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

// A game in play with every weight and tilt consistent.
void Weighed(EngineHarness& h) {
    h.game.WeighColumns();
    h.drawing.DrawBoard();
}

// Runs one TurnTick per iteration from the same record, restored before each tick.
void TickFrom(benchmark::State& state, EngineHarness& h) {
    const GameState start = h.game.state;
    const BudgetClock clock;
    for (auto _ : state) {
        h.game.state = start;
        h.game.TurnTick();
        benchmark::DoNotOptimize(h.game.state);
    }
    clock.Report(state);
}

// Fall: the piece moves sideways and descends in the same step (both keys held): the move test,
// the erase and two draws, and the landing test.
void BM_FallTick(benchmark::State& state) {
    EngineHarness h;
    h.game.EasyCommand();
    h.game.HandleKeyDown(0x44);  // D: right
    h.game.HandleKeyDown(0x58);  // X: drop
    TickFrom(state, h);
}
BENCHMARK(BM_FallTick);

// Weigh: the tick after a landing on a field filled up to row 5, whose every weight changed: the
// spawn (queue, previews, spawn test), the weighing, every scale flagged and redrawn.
void BM_WeighTick(benchmark::State& state) {
    EngineHarness h;
    h.game.EasyCommand();
    for (int c = FirstFieldColumn; c <= LastFieldColumn; ++c) {
        for (int r = 5; r <= LastFieldRow; ++r) {  // the spawn cell stays free
            h.game.Cell(c, r) = static_cast<uint8_t>(1 + (c + r) % 6);
        }
        h.game.state.columnWeight[c] = 0;  // every weight differs from its sum
    }
    h.game.state.pieceQueue[0] = 0;
    h.game.state.phase = PhaseWeigh;
    TickFrom(state, h);
}
BENCHMARK(BM_WeighTick);

// A full field for the group search, level scales. Pairs: every cell belongs to a group of two
// (one single at the bottom), so every one of the 90 cells starts a flood that is cleared again.
void FullFieldOfPairs(EngineHarness& h) {
    for (int c = FirstFieldColumn; c <= LastFieldColumn; ++c) {
        for (int r = FirstFieldRow; r <= LastFieldRow; ++r) {
            // Rows pair up vertically; neighbouring columns differ by 2 (mod 6) and never match.
            h.game.Cell(c, r) = static_cast<uint8_t>(1 + (r / 2 + 2 * c) % 6);
        }
    }
}

// Chains: the search over a full field where nothing reaches three: 90 floods, 90 clears.
void BM_ChainTickFullFieldNoGroup(benchmark::State& state) {
    EngineHarness h;
    h.game.EasyCommand();
    FullFieldOfPairs(h);
    Weighed(h);
    h.game.state.phase = PhaseChains;
    TickFrom(state, h);
}
BENCHMARK(BM_ChainTickFullFieldNoGroup);

// Chains: one group of all 90 cells: a flood 90 deep, every cell converted, redrawn, removed and
// scored.
void BM_ChainTickFullFieldOneGroup(benchmark::State& state) {
    EngineHarness h;
    h.game.EasyCommand();
    for (int c = FirstFieldColumn; c <= LastFieldColumn; ++c) {
        for (int r = FirstFieldRow; r <= LastFieldRow; ++r) {
            h.game.Cell(c, r) = 1;
        }
    }
    Weighed(h);
    h.game.state.phase = PhaseChains;
    TickFrom(state, h);
}
BENCHMARK(BM_ChainTickFullFieldOneGroup);

// Gravity: rows 2 to 15 full over an empty bottom row: all 84 cells move, every column flagged.
void BM_GravityTickFullShift(benchmark::State& state) {
    EngineHarness h;
    h.game.EasyCommand();
    for (int c = FirstFieldColumn; c <= LastFieldColumn; ++c) {
        for (int r = FirstFieldRow; r < LastFieldRow; ++r) {
            h.game.Cell(c, r) = static_cast<uint8_t>(1 + (c + r) % 7);
        }
    }
    h.game.state.phase = PhaseGravity;
    TickFrom(state, h);
}
BENCHMARK(BM_GravityTickFullShift);

// Whole games tick by tick: a random player (keys, new games) plays on, one tick per iteration;
// key events between ticks are part of the measured work.
void BM_RandomGameTicks(benchmark::State& state) {
    EngineHarness h;
    RandomPlayer player(7);
    h.game.EasyCommand();
    int64_t games = 0;
    const BudgetClock clock;
    for (auto _ : state) {
        for (;;) {
            const PlayerAction action = player.Next(h.timer.running);
            if (action.event == PlayerEvent::Tick) {
                break;
            }
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
