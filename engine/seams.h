// What the rules need from outside: drawing, the calendar clock and the step timer.
// The engine computes no pixel position and reads no clock itself; the window (or a test,
// or a tool) supplies these.
#pragma once

#include <cstdint>

// The drawing the rules ask for after each change. The presentation implements it.
class GameDrawing {
  public:
    // The tile of the falling piece (or tile 0 to erase) where a piece at this column and
    // half-row is shown.
    virtual void DrawFallingPiece(uint8_t column, uint8_t halfRow, uint8_t tile) = 0;
    // Read-outs, previews, level and score, then every scale with a flagged column.
    virtual void DrawBoard() = 0;
    virtual void DrawPreviews() = 0;
    virtual void DrawReadouts() = 0;
    // One slice of the game-over banner, step 0..15.
    virtual void DrawBanner(uint8_t step) = 0;

  protected:
    ~GameDrawing() = default;
};

// The current calendar time in whole seconds, which every new game seeds with.
class GameClock {
  public:
    virtual uint32_t CalendarSeconds() = 0;

  protected:
    ~GameClock() = default;
};

// The 50 ms step timer. Starting it while it runs restarts it.
class GameTimer {
  public:
    virtual void StartStepTimer() = 0;
    virtual void StopStepTimer() = 0;

  protected:
    ~GameTimer() = default;
};
