// The trace target run straight on the rules: a drawing that draws nothing, a clock that always
// answers the run's second, and a timer that only remembers whether it runs. The trace runner
// itself drives the real window (ShellTraceTarget); this one serves the tests that compare the
// two.
#pragma once

#include "engine/game.h"
#include "tools/trace/trace_target.h"

class GameTraceTarget final : public TraceTarget {
  public:
    GameTraceTarget() = default;

    void Create(uint32_t seed) override;
    void Easy() override { game_.EasyCommand(); }
    void Hard() override { game_.HardCommand(); }
    void KeyDown(uint32_t code) override { game_.HandleKeyDown(code); }
    void KeyUp(uint32_t code) override { game_.HandleKeyUp(code); }
    void Tick() override { game_.TurnTick(); }
    bool TimerRunning() const override { return timer_.running; }
    // Nothing is drawn here, so there is nothing to paint and no frame to write.
    void Paint() override {}
    bool Shot(const std::string& /*path*/) override { return false; }
    const GameState& State() const override { return game_.state; }

  private:
    // The redraw flags are left as the rules set them: no rule reads them, and nothing is shown.
    class NoDrawing final : public GameDrawing {
      public:
        void DrawFallingPiece(uint8_t, uint8_t, uint8_t) override {}
        void DrawBoard() override {}
        void DrawPreviews() override {}
        void DrawReadouts() override {}
        void DrawBanner(uint8_t) override {}
    };
    class FixedClock final : public GameClock {
      public:
        uint32_t seconds = 0;
        uint32_t CalendarSeconds() override { return seconds; }
    };
    class FlagTimer final : public GameTimer {
      public:
        bool running = false;
        void StartStepTimer() override { running = true; }
        void StopStepTimer() override { running = false; }
    };

    NoDrawing drawing_;
    FixedClock clock_;
    FlagTimer timer_;
    Game game_{drawing_, clock_, timer_};
};
