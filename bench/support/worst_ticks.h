// What the benchmarks share: the heaviest record of each phase of the turn cycle, and the
// reporting of a measured loop beside the 50 ms period of the step timer.
#pragma once

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>

#include "engine/game.h"

namespace worst {

constexpr double TickPeriodSeconds = StepTimerIntervalMs / 1000.0;

// Measures a loop's wall time from construction and reports, as fit_in_50ms, how many of its
// iterations fit into one period of the step timer (above 1 is within the budget).
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

enum class Tick : uint8_t {
    // The piece moves sideways and descends in the same step (both keys held): the move test,
    // the erase and two draws of the piece, the landing test.
    Fall,
    // The tick after a landing on a field filled up to row 5 whose every weight changed: the
    // spawn (queue, previews, spawn test), the weighing, every scale flagged and redrawn.
    Weigh,
    // The group search over a full field where nothing reaches three (every cell in a pair, one
    // single at the bottom): 90 floods, each cleared again, then the redraw and the removal step.
    ChainsNoGroup,
    // One group of all 90 cells: a flood 90 deep, every cell converted, redrawn, removed, scored.
    ChainsOneGroup,
    // Rows 2 to 15 full over an empty bottom row, every column flagged by the step before: the
    // redraw of all three scales, then all 84 cells move.
    Gravity,
};

// Sets the record of a started game (its step timer runs) to the heaviest tick of a phase.
inline void SetUp(Game& game, Tick tick) {
    GameState& s = game.state;
    auto weighed = [&] {
        game.WeighColumns();
        for (uint8_t& flag : s.columnDirty) {
            flag = 0;  // as the board drawing leaves them
        }
    };
    switch (tick) {
        case Tick::Fall:
            game.HandleKeyDown(0x44);  // D: right
            game.HandleKeyDown(0x58);  // X: drop
            break;
        case Tick::Weigh:
            for (int c = FirstFieldColumn; c <= LastFieldColumn; ++c) {
                for (int r = 5; r <= LastFieldRow; ++r) {  // the spawn cell stays free
                    game.Cell(c, r) = static_cast<uint8_t>(1 + (c + r) % 6);
                }
                s.columnWeight[c] = 0;  // every weight differs from its sum
            }
            s.pieceQueue[0] = 0;
            s.phase = PhaseWeigh;
            break;
        case Tick::ChainsNoGroup:
            for (int c = FirstFieldColumn; c <= LastFieldColumn; ++c) {
                for (int r = FirstFieldRow; r <= LastFieldRow; ++r) {
                    // Rows pair up vertically; neighbouring columns differ by 2 (mod 6).
                    game.Cell(c, r) = static_cast<uint8_t>(1 + (r / 2 + 2 * c) % 6);
                }
            }
            weighed();
            s.phase = PhaseChains;
            break;
        case Tick::ChainsOneGroup:
            for (int c = FirstFieldColumn; c <= LastFieldColumn; ++c) {
                for (int r = FirstFieldRow; r <= LastFieldRow; ++r) {
                    game.Cell(c, r) = 1;
                }
            }
            weighed();
            s.phase = PhaseChains;
            break;
        case Tick::Gravity:
            for (int c = FirstFieldColumn; c <= LastFieldColumn; ++c) {
                for (int r = FirstFieldRow; r < LastFieldRow; ++r) {
                    game.Cell(c, r) = static_cast<uint8_t>(1 + (c + r) % 7);
                }
                s.columnDirty[c] = 1;
            }
            s.phase = PhaseGravity;
            break;
    }
}

}  // namespace worst
