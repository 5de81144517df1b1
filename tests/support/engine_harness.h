// The engine on its own, with seams that behave like the window's: the board drawing clears the
// dirty flags of every redrawn scale pairwise (and draws nothing), the clock is settable and the
// step timer only remembers whether it runs. Allocates nothing after construction.
#pragma once

#include <cstdint>

#include "engine/game.h"

class FlagClearingDrawing final : public GameDrawing {
  public:
    GameState* state = nullptr;

    void DrawFallingPiece(uint8_t, uint8_t, uint8_t) override {}
    void DrawBoard() override {
        for (int left = FirstFieldColumn; left <= LastFieldColumn; left += 2) {
            state->columnDirty[left] = 0;
            state->columnDirty[left + 1] = 0;
        }
    }
    void DrawPreviews() override {}
    void DrawReadouts() override {}
    void DrawBanner(uint8_t) override {}
};

class SettableClock final : public GameClock {
  public:
    uint32_t seconds = 0;
    uint32_t CalendarSeconds() override { return seconds; }
};

class SwitchTimer final : public GameTimer {
  public:
    bool running = false;
    void StartStepTimer() override { running = true; }
    void StopStepTimer() override { running = false; }
};

// A game as the window leaves it after its creation: defaults written, one new game set up,
// the step timer stopped.
struct EngineHarness {
    FlagClearingDrawing drawing;
    SettableClock clock;
    SwitchTimer timer;
    Game game{drawing, clock, timer};

    explicit EngineHarness(uint32_t seconds = 0) {
        drawing.state = &game.state;
        clock.seconds = seconds;
        game.WriteDefaultSettings();
        game.NewGame();
    }

    // What the paint handler does to the record: every scale flagged, then the board drawn.
    void Paint() {
        game.state.columnDirty[1] = 1;
        game.state.columnDirty[3] = 1;
        game.state.columnDirty[5] = 1;
        drawing.DrawBoard();
    }
};
