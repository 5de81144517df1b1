// The rules of the game: the rule operations on the one game state record.
#pragma once

#include <cstdint>

#include "engine/game_state.h"
#include "engine/random_source.h"
#include "engine/seams.h"

// The row change towards a side neighbour, by the tilt difference (own column's tilt minus the
// tilt of the column looked into) plus 4: [0] the upper neighbour (floor of half the
// difference), [1] the lower neighbour (ceiling of half the difference).
inline constexpr int8_t neighbourRowShift[2][9] = {
    {-2, -2, -1, -1, 0, 0, 1, 1, 2},
    {-2, -1, -1, 0, 0, 1, 1, 2, 2},
};

// Neighbour directions of a cell, clockwise from the top.
enum NeighbourDirection : uint8_t {
    Up = 0,
    UpperRight = 1,
    LowerRight = 2,
    Down = 3,
    LowerLeft = 4,
    UpperLeft = 5,
};

class Game {
  public:
    Game(GameDrawing& drawing, GameClock& clock, GameTimer& timer);

    // The record, zero-filled until the window's creation writes the defaults and starts a game.
    GameState state{};

    // Window creation: the defaults that every new game copies.
    void WriteDefaultSettings();

    // Piece supply.
    void AdvanceQueue();

    // Falling piece and controls. The key handlers answer false (not handled) for every code.
    bool HandleKeyDown(uint32_t keyCode);
    bool HandleKeyUp(uint32_t keyCode);
    uint8_t FallStep();

    // Weighing and tilt.
    void WeighColumns();
    static int8_t PairTilt(uint8_t leftWeight, uint8_t rightWeight);
    bool IsSpawnBlockedOrOverloaded() const;

    // Chain detection.
    static uint8_t NeighbourColumn(uint8_t column, uint8_t direction);
    uint8_t NeighbourRow(uint8_t column, uint8_t row, uint8_t direction) const;
    uint8_t FloodMark(uint8_t column, uint8_t row);
    void ClearMarks();
    void ConvertMarked();
    void FindChains();

    // Removal, scoring, level and gravity.
    uint8_t RemoveMarked();
    uint8_t GravityStep();
    static void SwapCells(uint8_t& a, uint8_t& b);

    // Game start and turn cycle.
    void NewGame();
    void SetUpHardGame();
    bool TurnTick();  // answers false (not handled) after every tick

    // The two menu commands: a new game, then the step timer (re)started.
    void EasyCommand();
    void HardCommand();

    // Cell access by column and row.
    uint8_t& Cell(int column, int row) { return state.board[CellIndex(column, row)]; }
    uint8_t Cell(int column, int row) const { return state.board[CellIndex(column, row)]; }

    const RandomSource& Random() const { return random_; }

  private:
    GameDrawing& drawing_;
    GameClock& clock_;
    GameTimer& timer_;
    RandomSource random_;
};
