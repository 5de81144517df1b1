// Chain detection: groups of equal pieces, connected through the tilted columns.
#include "engine/game.h"

namespace {

// Half of a tilt difference, rounded down (upper neighbour) or up (lower neighbour). Inside the
// differences that play produces (-4..+4) the constant table answers; beyond it, which only a
// direct call can ask for, the same rounding is worked out.
int FloorHalf(int value) {
    return value >= 0 ? value / 2 : -((1 - value) / 2);
}

int RowShift(int difference, bool lower) {
    if (difference >= -4 && difference <= 4) {
        return neighbourRowShift[lower ? 1 : 0][difference + 4];
    }
    return lower ? -FloorHalf(-difference) : FloorHalf(difference);
}

}  // namespace

uint8_t Game::NeighbourColumn(uint8_t column, uint8_t direction) {
    switch (direction) {
        case UpperRight:
        case LowerRight:
            return static_cast<uint8_t>(column + 1);
        case LowerLeft:
        case UpperLeft:
            return static_cast<uint8_t>(column - 1);
        default:  // Up, Down
            return column;
    }
}

uint8_t Game::NeighbourRow(uint8_t column, uint8_t row, uint8_t direction) const {
    const int own = state.columnTilt[column];
    int shift = 0;
    switch (direction) {
        case Up:
            shift = -1;
            break;
        case Down:
            shift = 1;
            break;
        case UpperRight:
            shift = RowShift(own - state.columnTilt[column + 1], false);
            break;
        case LowerRight:
            shift = RowShift(own - state.columnTilt[column + 1], true);
            break;
        case LowerLeft:
            shift = RowShift(own - state.columnTilt[column - 1], true);
            break;
        case UpperLeft:
            shift = RowShift(own - state.columnTilt[column - 1], false);
            break;
        default:
            break;
    }
    return static_cast<uint8_t>(row + shift);
}

uint8_t Game::FloodMark(uint8_t column, uint8_t row) {
    // Each cell is marked before its neighbours are visited and entered only while unmarked, so
    // every cell of the group counts once. The recursion is at most 90 calls deep (the field).
    state.marks[CellIndex(column, row)] = 1;
    uint8_t count = 1;
    const uint8_t value = Cell(column, row);
    for (uint8_t direction = Up; direction <= UpperLeft; ++direction) {
        const uint8_t nc = NeighbourColumn(column, direction);
        const uint8_t nr = NeighbourRow(column, row, direction);
        const int index = CellIndex(nc, nr);
        if (state.board[index] == value && state.marks[index] == 0) {
            count = static_cast<uint8_t>(count + FloodMark(nc, nr));
        }
        // A touching stone goes with the group but passes no connection on.
        if (state.board[index] == CellStone) {
            state.marks[index] = 1;
        }
    }
    return count;
}

void Game::ClearMarks() {
    for (int column = FirstFieldColumn; column <= LastFieldColumn; ++column) {
        for (int row = FirstFieldRow; row <= LastFieldRow; ++row) {
            state.marks[CellIndex(column, row)] = 0;
        }
    }
}

void Game::ConvertMarked() {
    for (int row = FirstFieldRow; row <= LastFieldRow; ++row) {
        for (int column = FirstFieldColumn; column <= LastFieldColumn; ++column) {
            uint8_t& mark = state.marks[CellIndex(column, row)];
            if (mark != 0) {
                mark = 0;
                Cell(column, row) = static_cast<uint8_t>(Cell(column, row) + 7);
                state.columnDirty[column] = 1;
            }
        }
    }
}

void Game::FindChains() {
    for (uint8_t column = FirstFieldColumn; column <= LastFieldColumn; ++column) {
        for (uint8_t row = FirstFieldRow; row <= LastFieldRow; ++row) {
            // The cell as it stands now: cells converted earlier in this scan start nothing.
            const uint8_t value = Cell(column, row);
            if (value < 1 || value > 6) {
                continue;
            }
            const uint8_t size = FloodMark(column, row);
            if (size < state.settings.minChain) {
                ClearMarks();  // a small group is flooded again from each of its cells
            } else {
                ConvertMarked();
            }
        }
    }
}
