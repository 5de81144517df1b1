// Piece supply: the queue of the falling piece and the two coming ones.
#include "engine/game.h"

void Game::AdvanceQueue() {
    state.pieceQueue[0] = state.pieceQueue[1];
    state.pieceQueue[1] = state.pieceQueue[2];

    // The new falling piece starts at the spawn position; its first fall step draws it.
    state.pieceHalfRow = SpawnHalfRow;
    state.pieceColumn = SpawnColumn;

    // The higher the level's band of ten, the heavier the values; from level 41 on stones come.
    const int band = (static_cast<int>(state.level) - 1) / 10;
    int base = 0;
    int size = 0;
    if (band <= 3) {
        base = 0;
        size = band + 3;
    } else if (band <= 5) {
        base = band - 3;
        size = 10 - band;
    } else {
        base = 3;
        size = 4;
    }
    // Kept on purpose: a plain remainder, so with 3, 5 or 6 values the lowest ones come slightly
    // more often (32768 is not a multiple of the size).
    state.pieceQueue[2] = static_cast<uint8_t>(base + random_.Next() % size + 1);
}
