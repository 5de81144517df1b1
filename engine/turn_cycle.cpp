// Game start and the timer-driven turn cycle.
#include "engine/game.h"

void Game::WriteDefaultSettings() {
    state.defaultSettings = DefaultGameSettings;
}

void Game::NewGame() {
    random_.Seed(clock_.CalendarSeconds());

    for (int column = 0; column < BoardColumns; ++column) {
        Cell(column, 0) = CellWall;
        Cell(column, 1) = CellWall;
        Cell(column, LastFieldRow + 1) = CellWall;
        Cell(column, LastFieldRow + 2) = CellWall;
    }
    for (int row = FirstFieldRow; row <= LastFieldRow; ++row) {
        Cell(0, row) = CellWall;
        Cell(BoardColumns - 1, row) = CellWall;
    }
    for (int column = FirstFieldColumn; column <= LastFieldColumn; ++column) {
        for (int row = FirstFieldRow; row <= LastFieldRow; ++row) {
            Cell(column, row) = CellEmpty;
        }
    }

    // Kept on purpose: this flags only the columns that weighed something before, so a scale
    // whose columns both weighed nothing (empty, or only stones) keeps its old picture until it
    // is next redrawn.
    WeighColumns();
    ClearMarks();

    state.keyLeft = 0;
    state.keyRight = 0;
    state.keyDown = 0;
    state.settings = state.defaultSettings;
    state.score = 0;
    state.level = 1;
    state.dropCountdown = state.settings.dropInterval;

    AdvanceQueue();
    AdvanceQueue();
    AdvanceQueue();
    state.phase = PhaseFall;

    // Kept on purpose: chainCount is left alone; the first chain phase of every game removes
    // nothing and sets it to 0 before anything is scored.
    drawing_.DrawBoard();
}

void Game::SetUpHardGame() {
    for (int column = FirstFieldColumn; column <= LastFieldColumn; ++column) {
        for (int row = FirstFieldRow; row <= 7; ++row) {
            Cell(column, row) = CellStone;
        }
    }
    state.score = 20000;
    state.level = 41;
    state.phase = PhaseGravity;
}

bool Game::TurnTick() {
    // A record that no new game has set up yet (zero-filled) has no phase: nothing happens.
    if (state.phase < PhaseFall || state.phase > PhaseBannerStart) {
        return false;
    }
    if (state.pieceQueue[0] == 0) {
        AdvanceQueue();
        drawing_.DrawPreviews();
        // Kept on purpose: this test sees the tilts of the last weighing, which do not count the
        // piece that has just landed; a game that ends here ends with that piece unweighed.
        if (IsSpawnBlockedOrOverloaded()) {
            state.phase = PhaseBannerStart;
        }
    }

    const uint8_t phase = state.phase;
    switch (phase) {
        case PhaseFall:
            state.phase = FallStep();
            break;
        case PhaseWeigh:
            WeighColumns();
            drawing_.DrawBoard();
            state.phase = IsSpawnBlockedOrOverloaded() ? PhaseBannerStart : PhaseChains;
            break;
        case PhaseChains:
            FindChains();
            drawing_.DrawBoard();  // the doomed cells show marked for this one tick
            state.phase = RemoveMarked();
            break;
        case PhaseGravity:
            drawing_.DrawBoard();  // shows the previous gravity step
            state.phase = GravityStep();
            break;
        case PhaseGameOver:
            timer_.StopStepTimer();
            state.settings.infoMode = 3;  // the final read-outs show everything
            drawing_.DrawReadouts();
            drawing_.DrawBanner(0);
            break;
        default:  // 6..20: the countdown
            drawing_.DrawBanner(static_cast<uint8_t>(phase - PhaseGameOver));
            state.phase = static_cast<uint8_t>(phase - 1);
            break;
    }
    return false;
}

void Game::EasyCommand() {
    NewGame();
    timer_.StartStepTimer();
}

void Game::HardCommand() {
    NewGame();
    SetUpHardGame();
    timer_.StartStepTimer();
}
