// Fakes for the engine's seams: a drawing that records every call, a settable clock and a timer
// that remembers whether it runs.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "engine/game.h"

// One recorded drawing call, written as text so that sequences compare and print plainly:
// "piece 3,6,2", "board", "previews", "readouts", "banner 15".
class RecordingDrawing final : public GameDrawing {
  public:
    // Clears the dirty flags of each redrawn scale pairwise, as the real board drawing does,
    // and records which scales it redrew ("board 1,3" for the first two scales).
    GameState* state = nullptr;
    std::vector<std::string> calls;
    // For each DrawBoard: how many field cells held a marked value (8..14) when it ran.
    std::vector<int> markedAtBoard;

    void DrawFallingPiece(uint8_t column, uint8_t halfRow, uint8_t tile) override {
        calls.push_back("piece " + std::to_string(column) + "," + std::to_string(halfRow) + "," +
                        std::to_string(tile));
    }
    void DrawBoard() override {
        std::string call = "board";
        if (state != nullptr) {
            std::string scales;
            for (int left = FirstFieldColumn; left <= LastFieldColumn; left += 2) {
                if (state->columnDirty[left] != 0 || state->columnDirty[left + 1] != 0) {
                    state->columnDirty[left] = 0;
                    state->columnDirty[left + 1] = 0;
                    scales += (scales.empty() ? " " : ",") + std::to_string(left);
                }
            }
            call += scales;
            int marked = 0;
            for (int c = FirstFieldColumn; c <= LastFieldColumn; ++c) {
                for (int r = FirstFieldRow; r <= LastFieldRow; ++r) {
                    const uint8_t v = state->board[CellIndex(c, r)];
                    marked += (v >= 8 && v <= 14) ? 1 : 0;
                }
            }
            markedAtBoard.push_back(marked);
        }
        calls.push_back(call);
    }
    void DrawPreviews() override { calls.push_back("previews"); }
    void DrawReadouts() override { calls.push_back("readouts"); }
    void DrawBanner(uint8_t step) override { calls.push_back("banner " + std::to_string(step)); }
};

class FakeClock final : public GameClock {
  public:
    uint32_t seconds = 0;
    uint32_t CalendarSeconds() override { return seconds; }
};

class FakeTimer final : public GameTimer {
  public:
    bool running = false;
    int starts = 0;
    int stops = 0;
    void StartStepTimer() override {
        running = true;
        ++starts;
    }
    void StopStepTimer() override {
        running = false;
        ++stops;
    }
};

// A game as the window leaves it after its creation: defaults written, one NewGame run.
class GameTest {
  public:
    RecordingDrawing drawing;
    FakeClock clock;
    FakeTimer timer;
    Game game{drawing, clock, timer};
    GameState& s = game.state;

    explicit GameTest(uint32_t seed = 0) {
        drawing.state = &game.state;
        clock.seconds = seed;
        game.WriteDefaultSettings();
        game.NewGame();
        drawing.calls.clear();
    }

    // Puts values into a column from row 16 upwards.
    void Stack(int column, std::initializer_list<uint8_t> bottomUp) {
        int row = LastFieldRow;
        for (uint8_t value : bottomUp) {
            game.Cell(column, row--) = value;
        }
    }
    void SetTilts(int8_t scale1, int8_t scale2, int8_t scale3) {
        const int8_t left[3] = {scale1, scale2, scale3};
        for (int i = 0; i < 3; ++i) {
            s.columnTilt[1 + 2 * i] = left[i];
            s.columnTilt[2 + 2 * i] = static_cast<int8_t>(-left[i]);
        }
    }
    void ClearDirty() {
        for (uint8_t& flag : s.columnDirty) {
            flag = 0;
        }
    }
    int FieldCount(uint8_t value) const {
        int n = 0;
        for (int c = FirstFieldColumn; c <= LastFieldColumn; ++c) {
            for (int r = FirstFieldRow; r <= LastFieldRow; ++r) {
                n += game.Cell(c, r) == value ? 1 : 0;
            }
        }
        return n;
    }
};
