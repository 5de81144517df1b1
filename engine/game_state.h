// The game state record: everything that makes up one game, in plain fixed-size integers.
#pragma once

#include <cstdint>

// Cell values. A cell's value is also the number of the tile that shows it.
constexpr uint8_t CellEmpty = 0;
constexpr uint8_t CellStone = 7;  // weighs nothing, removed with a group that touches it
constexpr uint8_t CellWall = 15;  // 1..6 are pieces, 8..14 cells marked for removal (value + 7)

// Board geometry: 8 columns of 19 rows, stored column by column.
constexpr int BoardColumns = 8;
constexpr int BoardRows = 19;
constexpr int FirstFieldColumn = 1;
constexpr int LastFieldColumn = 6;
constexpr int FirstFieldRow = 2;  // top row of the field
constexpr int LastFieldRow = 16;  // bottom row of the field

constexpr int CellIndex(int column, int row) {
    return column * BoardRows + row;
}

// Where every falling piece starts, and whose cell the game-over test checks.
constexpr uint8_t SpawnColumn = 3;
constexpr uint8_t SpawnHalfRow = 6;

// Turn phases; 6..20 count the game-over banner down.
constexpr uint8_t PhaseFall = 1;
constexpr uint8_t PhaseWeigh = 2;
constexpr uint8_t PhaseChains = 3;
constexpr uint8_t PhaseGravity = 4;
constexpr uint8_t PhaseGameOver = 5;
constexpr uint8_t PhaseBannerStart = 20;

// The period of the step timer that drives the turn cycle.
constexpr uint32_t StepTimerIntervalMs = 50;

// The per-game tunables.
struct GameSettings {
    uint8_t minChain;       // smallest group that is removed
    uint8_t showPans;       // nonzero: draw the pan picture under a redrawn scale
    uint8_t infoMode;       // bit 1: show the column weights; bit 2: show the scale differences
    uint8_t previewCount;   // coming pieces shown, at most 2
    uint32_t dropInterval;  // fall steps between automatic half-row descents
};

constexpr GameSettings DefaultGameSettings{3, 1, 3, 2, 41};

// The members in their order, with their widths and signedness.
struct GameState {
    uint8_t board[BoardColumns * BoardRows];  // cell (c, r) is board[c * 19 + r]
    uint8_t marks[BoardColumns * BoardRows];  // scratch flags of the group search
    uint8_t columnWeight[BoardColumns];       // sum of (cell value mod 7) over the field rows
    int8_t columnTilt[BoardColumns];          // half-rows the column sits lower than level
    uint8_t pieceColumn;                      // column of the falling piece
    uint8_t pieceHalfRow;                     // half-row of the falling piece's upper half
    uint8_t pieceQueue[3];                    // [0] falling piece (0: none), [1] next, [2] after it
    GameSettings defaultSettings;             // written once when the window is created
    GameSettings settings;                    // the running game's copy
    uint32_t score;                           // 0..99999999
    uint8_t level;                            // 1..99, follows the score
    uint8_t keyLeft;                          // a left key is held
    uint8_t keyRight;                         // a right key is held
    uint8_t keyDown;                          // a drop key is held
    uint8_t phase;                            // turn phase, 1..20
    uint32_t dropCountdown;                   // fall steps left until the next automatic descent
    uint8_t chainCount;                       // consecutive removal rounds of the current cascade
    uint8_t columnDirty[BoardColumns];        // the column changed since it was last drawn
};
