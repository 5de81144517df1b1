// Removal, scoring and level, and gravity one row at a time.
#include "engine/game.h"

namespace {
constexpr uint32_t ScoreCap = 99999999;
constexpr uint32_t MaxLevel = 99;
}  // namespace

uint8_t Game::RemoveMarked() {
    uint8_t count = 0;
    uint8_t heaviest = 0;
    bool removed = false;
    for (int column = FirstFieldColumn; column <= LastFieldColumn; ++column) {
        for (int row = FirstFieldRow; row <= LastFieldRow; ++row) {
            uint8_t& cell = Cell(column, row);
            if (cell > 7) {
                // A removed piece is worth its value, a removed stone 7.
                const uint8_t worth = static_cast<uint8_t>(cell - 7);
                if (worth > heaviest) {
                    heaviest = worth;
                }
                cell = CellEmpty;
                state.columnDirty[column] = 1;
                count = static_cast<uint8_t>(count + 1);
                removed = true;
            }
        }
    }

    // The round counts before it scores: the first removal after a landing scores with 1.
    state.chainCount = removed ? static_cast<uint8_t>(state.chainCount + 1) : 0;

    state.score = state.score + 20u * state.chainCount * count * heaviest;
    if (state.score > ScoreCap) {
        state.score = ScoreCap;
    }

    // Level and the settings that follow it are worked out on every call, removal or not.
    uint32_t level = state.score / 500 + 1;
    if (level > MaxLevel) {
        level = MaxLevel;
    }
    state.level = static_cast<uint8_t>(level);

    int32_t interval = 41 - (static_cast<int32_t>(state.level) - 1);
    if (interval < 1) {
        interval = 1;
    }
    state.settings.dropInterval = static_cast<uint32_t>(interval);

    if (state.level > 20) {
        state.settings.infoMode = 1;
    }
    if (state.level > 50) {
        state.settings.infoMode = 0;
    }

    return removed ? PhaseGravity : PhaseFall;
}

uint8_t Game::GravityStep() {
    bool moved = false;
    // Bottom up: a cell that has just moved down is not visited again in this step, so every
    // stack over a gap sinks by exactly one row. Row 16 is the floor and never moves.
    for (int row = LastFieldRow - 1; row >= FirstFieldRow; --row) {
        for (int column = FirstFieldColumn; column <= LastFieldColumn; ++column) {
            if (Cell(column, row) != CellEmpty && Cell(column, row + 1) == CellEmpty) {
                SwapCells(Cell(column, row), Cell(column, row + 1));
                state.columnDirty[column] = 1;
                moved = true;
            }
        }
    }
    return moved ? PhaseGravity : PhaseWeigh;
}

void Game::SwapCells(uint8_t& a, uint8_t& b) {
    const uint8_t held = a;
    a = b;
    b = held;
}
