// Game start, the turn cycle tick by tick, game over, and the drawing each phase asks for.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/engine/fakes.h"

namespace {

using Calls = std::vector<std::string>;

// Runs one tick and answers the drawing calls it made.
Calls Tick(GameTest& t) {
    t.drawing.calls.clear();
    EXPECT_FALSE(t.game.TurnTick());
    return t.drawing.calls;
}

TEST(NewGame, WindowCreationLeavesAReadyGame) {
    RecordingDrawing drawing;
    FakeClock clock;
    FakeTimer timer;
    clock.seconds = 1234567;
    Game game(drawing, clock, timer);
    drawing.state = &game.state;
    game.WriteDefaultSettings();
    game.NewGame();
    const GameState& s = game.state;
    for (int c = 0; c < BoardColumns; ++c) {
        for (int r = 0; r < BoardRows; ++r) {
            const bool field = c >= 1 && c <= 6 && r >= 2 && r <= 16;
            ASSERT_EQ(game.Cell(c, r), field ? CellEmpty : CellWall) << c << "," << r;
            ASSERT_EQ(s.marks[CellIndex(c, r)], 0);
        }
        EXPECT_EQ(s.columnWeight[c], 0);
        EXPECT_EQ(s.columnTilt[c], 0);
        EXPECT_EQ(s.columnDirty[c], 0);
    }
    for (uint8_t v : s.pieceQueue) {
        EXPECT_GE(v, 1);
        EXPECT_LE(v, 3);
    }
    EXPECT_EQ(s.pieceColumn, 3);
    EXPECT_EQ(s.pieceHalfRow, 6);
    EXPECT_EQ(s.phase, PhaseFall);
    EXPECT_EQ(s.level, 1);
    EXPECT_EQ(s.score, 0u);
    EXPECT_EQ(s.dropCountdown, 41u);
    EXPECT_EQ(s.chainCount, 0);
    const GameSettings expected[2] = {s.defaultSettings, s.settings};
    for (const GameSettings& g : expected) {
        EXPECT_EQ(g.minChain, 3);
        EXPECT_EQ(g.showPans, 1);
        EXPECT_EQ(g.infoMode, 3);
        EXPECT_EQ(g.previewCount, 2);
        EXPECT_EQ(g.dropInterval, 41u);
    }
    EXPECT_EQ(drawing.calls, (Calls{"board"}));
    EXPECT_FALSE(timer.running);
    EXPECT_EQ(timer.starts, 0);
    EXPECT_EQ(game.Random().State(), 1234567u * 1103515245u * 1103515245u * 1103515245u +
                                         12345u * 1103515245u * 1103515245u + 12345u * 1103515245u +
                                         12345u);
}

TEST(NewGame, ResetsALateGameButKeepsTheRoundCountAndRedrawsOnlyWeighedScales) {
    GameTest t;
    t.s.score = 29750;
    t.s.level = 60;
    t.s.settings.infoMode = 0;
    t.s.settings.dropInterval = 1;
    t.s.chainCount = 4;
    t.s.keyLeft = t.s.keyRight = t.s.keyDown = 1;
    t.s.phase = 13;
    t.Stack(2, {5});
    t.Stack(5, {CellStone});  // weighs nothing
    t.game.WeighColumns();
    t.s.marks[CellIndex(4, 9)] = 1;
    t.ClearDirty();
    t.game.NewGame();
    EXPECT_EQ(t.drawing.calls, (Calls{"board 1"}));  // scale 3 weighed 0 before: not redrawn
    EXPECT_EQ(t.s.settings.infoMode, 3);
    EXPECT_EQ(t.s.settings.dropInterval, 41u);
    EXPECT_EQ(t.s.dropCountdown, 41u);
    EXPECT_EQ(t.s.chainCount, 4);
    EXPECT_EQ(t.s.keyLeft + t.s.keyRight + t.s.keyDown, 0);
    EXPECT_EQ(t.s.phase, PhaseFall);
    EXPECT_EQ(t.s.score, 0u);
    EXPECT_EQ(t.s.level, 1);
    EXPECT_EQ(t.FieldCount(CellEmpty), 90);
    EXPECT_EQ(t.s.marks[CellIndex(4, 9)], 0);
}

TEST(NewGame, TheSameSecondDrawsTheSameQueue) {
    GameTest a(99);
    a.game.AdvanceQueue();
    GameTest b(99);
    b.game.AdvanceQueue();
    b.game.NewGame();  // reseeds with the same second
    b.game.AdvanceQueue();
    EXPECT_EQ(0, std::memcmp(a.s.pieceQueue, b.s.pieceQueue, 3));
}

TEST(TurnCycle, EasyGameFallsFromTheFirstTick) {
    GameTest t(5);
    t.game.EasyCommand();
    EXPECT_EQ(t.drawing.calls, (Calls{"board"}));
    EXPECT_TRUE(t.timer.running);
    const uint8_t v = t.s.pieceQueue[0];
    EXPECT_EQ(Tick(t), (Calls{"piece 3,6," + std::to_string(v)}));
    EXPECT_EQ(t.s.phase, PhaseFall);
    EXPECT_EQ(t.s.dropCountdown, 40u);
}

TEST(TurnCycle, HardStartTimeline) {
    GameTest t(31337);
    t.game.HardCommand();
    EXPECT_EQ(t.drawing.calls, (Calls{"board"}));
    EXPECT_TRUE(t.timer.running);
    EXPECT_EQ(t.s.phase, PhaseGravity);
    EXPECT_EQ(t.FieldCount(CellStone), 36);
    EXPECT_EQ(t.s.score, 20000u);
    EXPECT_EQ(t.s.level, 41);
    EXPECT_EQ(t.s.settings.dropInterval, 41u);
    EXPECT_EQ(t.s.settings.infoMode, 3);
    for (int c = 1; c <= 6; ++c) {
        EXPECT_EQ(t.s.columnDirty[c], 0);
    }
    const uint8_t first = t.s.pieceQueue[0];
    const uint8_t queued[2] = {t.s.pieceQueue[1], t.s.pieceQueue[2]};
    RandomSource mirror = t.game.Random();

    EXPECT_EQ(Tick(t), (Calls{"board"}));  // tick 1: no stone drawn yet
    for (int tick = 2; tick <= 10; ++tick) {
        EXPECT_EQ(Tick(t), (Calls{"board 1,3,5"})) << "tick " << tick;
        if (tick == 9) {
            for (int c = 1; c <= 6; ++c) {
                for (int r = 2; r <= 16; ++r) {
                    ASSERT_EQ(t.game.Cell(c, r), r >= 11 ? CellStone : CellEmpty);
                }
            }
            EXPECT_EQ(t.s.phase, PhaseGravity);
        }
    }
    EXPECT_EQ(t.s.phase, PhaseWeigh);      // the tenth gravity tick moved nothing
    EXPECT_EQ(Tick(t), (Calls{"board"}));  // 11: weighing, all weights 0
    EXPECT_EQ(t.s.phase, PhaseChains);
    EXPECT_EQ(Tick(t), (Calls{"board"}));  // 12: an empty search
    EXPECT_EQ(t.s.phase, PhaseFall);
    EXPECT_EQ(t.s.settings.dropInterval, 1u);
    EXPECT_EQ(t.s.settings.infoMode, 1);
    EXPECT_EQ(t.s.chainCount, 0);
    EXPECT_EQ(Tick(t), (Calls{"piece 3,6," + std::to_string(first)}));  // 13: first fall step
    for (int tick = 14; tick <= 52; ++tick) {
        Tick(t);
        ASSERT_EQ(t.s.pieceHalfRow, 6) << "tick " << tick;
    }
    EXPECT_EQ(t.s.dropCountdown, 1u);
    Tick(t);  // 53: the 41st fall step descends
    EXPECT_EQ(t.s.pieceHalfRow, 7);
    EXPECT_EQ(t.s.dropCountdown, 1u);
    Tick(t);
    EXPECT_EQ(t.s.pieceHalfRow, 8);
    // Down to the stones: half-row 20 is row 10, over the stone in row 11.
    while (t.s.phase == PhaseFall) {
        Tick(t);
    }
    EXPECT_EQ(t.game.Cell(3, 10), first);
    EXPECT_EQ(t.s.pieceHalfRow, 20);
    Tick(t);  // the next piece spawns; the fourth value comes from the level-41 band
    EXPECT_EQ(t.s.pieceQueue[0], queued[0]);
    EXPECT_EQ(t.s.pieceQueue[1], queued[1]);
    EXPECT_EQ(t.s.pieceQueue[2], 1 + mirror.Next() % 6 + 1);
}

TEST(TurnCycle, TheRoadOfOnePiece) {
    GameTest t(8);
    t.game.EasyCommand();
    t.s.pieceHalfRow = 32;  // a piece resting on the floor lands in its next step
    const uint8_t v = t.s.pieceQueue[0];
    const uint8_t next = t.s.pieceQueue[1];
    EXPECT_EQ(Tick(t), (Calls{"piece 3,32," + std::to_string(v)}));  // tick A: lands
    EXPECT_EQ(t.s.phase, PhaseWeigh);
    EXPECT_EQ(t.s.pieceQueue[0], 0);
    EXPECT_EQ(Tick(t), (Calls{"previews", "board 3"}));  // A + 1: spawn, weigh
    EXPECT_EQ(t.s.pieceQueue[0], next);
    EXPECT_EQ(t.s.columnWeight[3], v);
    EXPECT_EQ(t.s.phase, PhaseChains);
    EXPECT_EQ(Tick(t), (Calls{"board"}));  // A + 2: nothing removed
    EXPECT_EQ(t.s.phase, PhaseFall);
    EXPECT_EQ(t.s.chainCount, 0);
    EXPECT_EQ(Tick(t), (Calls{"piece 3,6," + std::to_string(next)}));  // A + 3
}

TEST(TurnCycle, ACascadeScoresItsRoundsAndShowsTheMarkedCells) {
    GameTest t;
    t.game.EasyCommand();
    // As if a piece had just landed: column 1 holds 1, 1, 2, 2, 2, 1 from row 16 up, column 2
    // a 3 and a 4 to keep the scale level.
    t.Stack(1, {1, 1, 2, 2, 2, 1});
    t.Stack(2, {3, 4});
    t.s.phase = PhaseWeigh;
    t.drawing.markedAtBoard.clear();
    const struct {
        Calls calls;
        uint8_t phase;
        uint8_t chain;
        uint32_t score;
    } ticks[] = {
        {{"board 1"}, PhaseChains, 0, 0},     // weigh: 9 against 7, level
        {{"board 1"}, PhaseGravity, 1, 120},  // three 2s shown marked, removed
        {{"board 1"}, PhaseGravity, 1, 120},  // the 1 from row 11 to 12
        {{"board 1"}, PhaseGravity, 1, 120},  // to 13
        {{"board 1"}, PhaseGravity, 1, 120},  // to 14
        {{"board 1"}, PhaseWeigh, 1, 120},    // settled
        {{"board 1"}, PhaseChains, 1, 120},   // weigh: 3 against 7
        {{"board 1"}, PhaseGravity, 2, 240},  // three 1s, second round
        {{"board 1"}, PhaseWeigh, 2, 240},    // nothing falls
        {{"board 1"}, PhaseChains, 2, 240},   // weigh: 0 against 7, tilt -1
        {{"board"}, PhaseFall, 0, 240},       // nothing left to remove
    };
    int n = 0;
    for (const auto& expected : ticks) {
        ++n;
        EXPECT_EQ(Tick(t), expected.calls) << "tick " << n;
        EXPECT_EQ(t.s.phase, expected.phase) << "tick " << n;
        EXPECT_EQ(t.s.chainCount, expected.chain) << "tick " << n;
        EXPECT_EQ(t.s.score, expected.score) << "tick " << n;
    }
    EXPECT_EQ(t.drawing.markedAtBoard, (std::vector<int>{0, 3, 0, 0, 0, 0, 0, 3, 0, 0, 0}));
    EXPECT_EQ(t.s.columnTilt[1], -1);
    EXPECT_EQ(t.FieldCount(CellEmpty), 88);
}

TEST(GameOver, AtSpawnSixteenTicksFromDetectionToTheLast) {
    GameTest t;
    t.game.EasyCommand();
    t.game.Cell(3, 3) = 2;  // the last piece landed in the spawn cell
    t.s.pieceQueue[0] = 0;
    t.s.phase = PhaseWeigh;
    t.s.settings.infoMode = 0;
    const uint8_t next = t.s.pieceQueue[1];
    const GameState atDetection = t.s;
    EXPECT_EQ(Tick(t), (Calls{"previews", "banner 15"}));
    EXPECT_EQ(t.s.phase, 19);
    EXPECT_EQ(t.s.pieceQueue[0], next);
    EXPECT_EQ(0, std::memcmp(atDetection.columnWeight, t.s.columnWeight, 8));  // not weighed
    for (int step = 14; step >= 1; --step) {
        t.game.HandleKeyDown(0x44);  // keys only change their flags
        EXPECT_EQ(Tick(t), (Calls{"banner " + std::to_string(step)}));
        EXPECT_TRUE(t.timer.running);
        EXPECT_EQ(t.s.pieceColumn, 3);
    }
    EXPECT_EQ(t.s.phase, PhaseGameOver);                  // phase 6 drew step 1
    EXPECT_EQ(Tick(t), (Calls{"readouts", "banner 0"}));  // the 16th tick
    EXPECT_FALSE(t.timer.running);
    EXPECT_EQ(t.s.phase, PhaseGameOver);
    EXPECT_EQ(t.s.settings.infoMode, 3);
    EXPECT_EQ(t.s.pieceQueue[0], next);
    EXPECT_EQ(t.s.keyRight, 1);
}

TEST(GameOver, AfterAWeighingTheBannerStartsOnTheNextTick) {
    GameTest t;
    t.game.EasyCommand();
    t.Stack(4, {5, 5, 5});  // 15 against an empty column 3: over-tilt
    t.s.phase = PhaseWeigh;
    EXPECT_EQ(Tick(t), (Calls{"board 3"}));  // drawn with the new tilt, no banner
    EXPECT_EQ(t.s.phase, PhaseBannerStart);
    EXPECT_EQ(t.s.columnTilt[3], -3);
    EXPECT_EQ(t.s.columnTilt[4], 3);
    for (int step = 15; step >= 1; --step) {
        EXPECT_EQ(Tick(t), (Calls{"banner " + std::to_string(step)}));
    }
    EXPECT_EQ(Tick(t), (Calls{"readouts", "banner 0"}));
    EXPECT_FALSE(t.timer.running);
    EXPECT_EQ(t.timer.stops, 1);
    EXPECT_EQ(t.game.Cell(4, 14), 5);  // the group is never searched
    EXPECT_EQ(t.s.columnTilt[4], 3);
}

TEST(GameOver, ANewGameDuringTheCountdownRunsNormally) {
    GameTest t;
    t.game.EasyCommand();
    t.s.phase = 12;
    Tick(t);
    t.game.HardCommand();
    EXPECT_EQ(t.timer.starts, 2);
    EXPECT_EQ(Tick(t), (Calls{"board"}));
    EXPECT_EQ(t.s.phase, PhaseGravity);
}

}  // namespace

namespace {

TEST(TurnCycle, ATickBeforeAnyGameChangesNothing) {
    RecordingDrawing drawing;
    FakeClock clock;
    FakeTimer timer;
    Game game(drawing, clock, timer);
    EXPECT_FALSE(game.TurnTick());
    const GameState zero{};
    EXPECT_EQ(0, std::memcmp(zero.board, game.state.board, sizeof zero.board));
    EXPECT_EQ(0, std::memcmp(zero.pieceQueue, game.state.pieceQueue, 3));
    EXPECT_EQ(game.state.phase, 0);
    EXPECT_EQ(game.state.dropCountdown, 0u);
    EXPECT_TRUE(drawing.calls.empty());
    EXPECT_EQ(timer.stops, 0);
}

}  // namespace
