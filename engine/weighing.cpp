// Weighing: column weights, the tilt of each scale and the game-over test.
#include "engine/game.h"

void Game::WeighColumns() {
    for (int column = FirstFieldColumn; column <= LastFieldColumn; ++column) {
        uint8_t weight = 0;
        for (int row = FirstFieldRow; row <= LastFieldRow; ++row) {
            // Empty cells and stones weigh nothing; a marked cell weighs what it did unmarked.
            weight = static_cast<uint8_t>(weight + Cell(column, row) % 7);
        }
        if (weight != state.columnWeight[column]) {
            state.columnDirty[column] = 1;
        }
        state.columnWeight[column] = weight;
    }
    // A tilt changes only together with a weight, so only weights flag columns.
    for (int left = FirstFieldColumn; left <= LastFieldColumn; left += 2) {
        const int8_t tilt = PairTilt(state.columnWeight[left], state.columnWeight[left + 1]);
        state.columnTilt[left] = tilt;
        state.columnTilt[left + 1] = static_cast<int8_t>(-tilt);
    }
}

int8_t Game::PairTilt(uint8_t leftWeight, uint8_t rightWeight) {
    // The heavier column sinks one half-row per 5 units of difference, rounded toward zero.
    const int difference = static_cast<int>(leftWeight) - static_cast<int>(rightWeight);
    return static_cast<int8_t>(difference / 5);
}

bool Game::IsSpawnBlockedOrOverloaded() const {
    for (int column = FirstFieldColumn; column <= LastFieldColumn; ++column) {
        if (state.columnTilt[column] > 2 || state.columnTilt[column] < -2) {
            return true;
        }
    }
    // Always the spawn position, never the falling piece's current one.
    const int row = (SpawnHalfRow - state.columnTilt[SpawnColumn]) / 2;
    return Cell(SpawnColumn, row) != CellEmpty;
}
