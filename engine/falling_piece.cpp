// The falling piece: held keys and the fall step that moves and lands the piece.
#include "engine/game.h"

namespace {

// The held-key flag that a Windows virtual-key code sets, or nullptr for every other code.
// Kept on purpose: the arrow keys are ignored, and S moves right like D.
uint8_t* KeyFlag(GameState& state, uint32_t keyCode) {
    switch (keyCode) {
        case 0x41:  // A
        case 0x64:  // keypad 4
            return &state.keyLeft;
        case 0x44:  // D
        case 0x53:  // S
        case 0x66:  // keypad 6
            return &state.keyRight;
        case 0x58:  // X
        case 0x5A:  // Z
        case 0x62:  // keypad 2
            return &state.keyDown;
        default:
            return nullptr;
    }
}

// The board row that a piece at this half-row covers in a column with this tilt: the
// division truncates toward zero, as C++ integer division on signed values does.
int RowAt(int halfRow, int tilt) {
    return (halfRow - tilt) / 2;
}

}  // namespace

bool Game::HandleKeyDown(uint32_t keyCode) {
    if (uint8_t* flag = KeyFlag(state, keyCode)) {
        *flag = 1;
    }
    return false;
}

bool Game::HandleKeyUp(uint32_t keyCode) {
    // Kept on purpose: releasing one of two keys of the same flag clears the flag although the
    // other is still held.
    if (uint8_t* flag = KeyFlag(state, keyCode)) {
        *flag = 0;
    }
    return false;
}

uint8_t Game::FallStep() {
    const uint8_t tile = state.pieceQueue[0];

    // Shown in every fall step, so the piece reappears after anything drew over it.
    drawing_.DrawFallingPiece(state.pieceColumn, state.pieceHalfRow, tile);

    // Both side keys held cancel out.
    int targetColumn = state.pieceColumn - state.keyLeft + state.keyRight;
    state.dropCountdown = state.dropCountdown - 1;
    int targetHalfRow = state.pieceHalfRow;

    if (state.keyDown != 0) {
        state.dropCountdown = state.settings.dropInterval;
        targetHalfRow = targetHalfRow + 1;
    } else if (state.dropCountdown == 0) {
        state.dropCountdown = state.settings.dropInterval;
        targetHalfRow = targetHalfRow + 1;
    }

    // One cell decides the whole move: the one the piece's upper half would cover in the target
    // column, with that column's tilt. Kept on purpose: a refused side move takes the descent
    // due in the same step with it (the reloaded countdown stays), so a piece pushed against a
    // wall or a taller column hovers while the key is held.
    if (Cell(targetColumn, RowAt(targetHalfRow, state.columnTilt[targetColumn])) != CellEmpty) {
        targetColumn = state.pieceColumn;
        targetHalfRow = state.pieceHalfRow;
    }

    if (targetColumn != state.pieceColumn || targetHalfRow != state.pieceHalfRow) {
        drawing_.DrawFallingPiece(state.pieceColumn, state.pieceHalfRow, CellEmpty);
        drawing_.DrawFallingPiece(static_cast<uint8_t>(targetColumn),
                                  static_cast<uint8_t>(targetHalfRow), tile);
        state.pieceColumn = static_cast<uint8_t>(targetColumn);
        state.pieceHalfRow = static_cast<uint8_t>(targetHalfRow);
    }

    // Resting on anything (a piece, a stone, the wall under row 16) lands at once.
    const int row = RowAt(state.pieceHalfRow, state.columnTilt[state.pieceColumn]);
    if (Cell(state.pieceColumn, row + 1) != CellEmpty) {
        Cell(state.pieceColumn, row) = tile;
        state.pieceQueue[0] = 0;
        state.columnDirty[state.pieceColumn] = 1;
        return PhaseWeigh;
    }
    return PhaseFall;
}
