// The invariant checker: every corruption of a sound record is caught and named, every sound
// record of the odd corners of play passes, and long random games never break an invariant.
#include "engine/invariants.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <string>

#include "tests/support/engine_harness.h"
#include "tests/support/random_player.h"

namespace {

// Puts values into a column from row 16 upwards.
void Stack(Game& game, int column, std::initializer_list<uint8_t> bottomUp) {
    int row = LastFieldRow;
    for (uint8_t value : bottomUp) {
        game.Cell(column, row--) = value;
    }
}

// A game in the middle of play, phase 1: a settled field with no group of three, weighed (the
// third scale tilted 1, -1), level 3, and a piece falling in column 4.
void MidGame(EngineHarness& h) {
    Game& g = h.game;
    Stack(g, 1, {1, 2});
    Stack(g, 2, {2, 1});
    Stack(g, 3, {3});
    Stack(g, 5, {1, 3, 2});
    Stack(g, 6, {CellStone});
    g.WeighColumns();
    h.drawing.DrawBoard();
    GameState& s = g.state;
    s.score = 1240;
    s.level = 3;
    s.settings.dropInterval = 39;
    s.chainCount = 0;
    s.pieceColumn = 4;
    s.pieceHalfRow = 10;
    s.dropCountdown = 20;
    s.phase = PhaseFall;
}

// The same field about to be searched: phase 3, the coming piece waiting at the spawn.
void ChainPhase(EngineHarness& h) {
    MidGame(h);
    h.game.state.pieceColumn = SpawnColumn;
    h.game.state.pieceHalfRow = SpawnHalfRow;
    h.game.state.phase = PhaseChains;
}

std::string Check(const GameState& s) {
    InvariantViolation violation{};
    return CheckInvariants(s, &violation) ? std::string() : std::string(violation.text);
}

struct Corruption {
    const char* what;
    void (*base)(EngineHarness&);
    std::function<void(EngineHarness&)> corrupt;
    const char* expected;  // the name the violation starts with
};

class CorruptedRecord : public ::testing::TestWithParam<Corruption> {};

TEST_P(CorruptedRecord, IsCaughtByName) {
    const Corruption& c = GetParam();
    EngineHarness h;
    c.base(h);
    ASSERT_EQ(Check(h.game.state), "") << "the base record must be sound";
    c.corrupt(h);
    const std::string found = Check(h.game.state);
    EXPECT_EQ(found.substr(0, found.find(':')), c.expected) << c.what << ": " << found;
}

INSTANTIATE_TEST_SUITE_P(Table, CorruptedRecord,
                         ::testing::
                             Values(Corruption{"phase 0", MidGame,
                                               [](EngineHarness& h) { h.game.state.phase = 0; },
                                               "phase"},
                                    Corruption{"phase 21", MidGame,
                                               [](EngineHarness& h) { h.game.state.phase = 21; },
                                               "phase"},
                                    Corruption{
                                        "a wall cell emptied", MidGame,
                                        [](EngineHarness& h) { h.game.Cell(7, 9) = CellEmpty; },
                                        "walls"},
                                    Corruption{"a floor cell turned into a piece", MidGame,
                                               [](EngineHarness& h) { h.game.Cell(3, 17) = 3; },
                                               "walls"},
                                    Corruption{"a marked cell left over", MidGame,
                                               [](EngineHarness& h) { h.game.Cell(1, 16) = 8; },
                                               "cells"},
                                    Corruption{
                                        "a wall value in the field", MidGame,
                                        [](EngineHarness& h) { h.game.Cell(4, 16) = CellWall; },
                                        "cells"},
                                    Corruption{"a mark left over", MidGame,
                                               [](EngineHarness& h) {
                                                   h.game.state.marks[CellIndex(2, 15)] = 1;
                                               },
                                               "marks"},
                                    Corruption{"a mark on a wall", MidGame,
                                               [](EngineHarness& h) {
                                                   h.game.state.marks[CellIndex(0, 0)] = 1;
                                               },
                                               "marks"},
                                    Corruption{
                                        "wall column tilted", MidGame,
                                        [](EngineHarness& h) { h.game.state.columnTilt[7] = 1; },
                                        "columns"},
                                    Corruption{
                                        "wall column flagged", MidGame,
                                        [](EngineHarness& h) { h.game.state.columnDirty[0] = 1; },
                                        "columns"},
                                    Corruption{
                                        "dirty flag 2", MidGame,
                                        [](EngineHarness& h) { h.game.state.columnDirty[3] = 2; },
                                        "columns"},
                                    Corruption{"weight above 90", MidGame,
                                               [](EngineHarness& h) {
                                                   h.game.state.columnWeight[1] = 91;
                                                   h.game.state.columnWeight[2] = 91;
                                               },
                                               "columns"},
                                    Corruption{
                                        "scale tilts not negated", MidGame,
                                        [](EngineHarness& h) { h.game.state.columnTilt[6] = 1; },
                                        "tilts"},
                                    Corruption{"tilt not following the weights", MidGame,
                                               [](EngineHarness& h) {
                                                   h.game.state.columnTilt[1] = 1;
                                                   h.game.state.columnTilt[2] = -1;
                                               },
                                               "tilts"},
                                    Corruption{"overloaded scale while a piece falls", MidGame,
                                               [](EngineHarness& h) {
                                                   h.game.state.columnWeight[3] = 18;
                                                   h.game.state.columnTilt[3] = 3;
                                                   h.game.state.columnTilt[4] = -3;
                                               },
                                               "tilts"},
                                    Corruption{
                                        "weight off by one in phase 1", MidGame,
                                        [](EngineHarness& h) { h.game.state.columnWeight[1] = 4; },
                                        "weights"},
                                    Corruption{
                                        "weight off by one in phase 3", ChainPhase,
                                        [](EngineHarness& h) { h.game.state.columnWeight[2] = 2; },
                                        "weights"},
                                    Corruption{"a sum above its weight during gravity", ChainPhase,
                                               [](EngineHarness& h) {
                                                   h.game.state.phase = PhaseGravity;
                                                   h.game.state.columnWeight[5] = 5;
                                               },
                                               "weights"},
                                    Corruption{"two columns unweighed after a landing", MidGame,
                                               [](EngineHarness& h) {
                                                   h.game.state.phase = PhaseWeigh;
                                                   h.game.state.pieceQueue[0] = 0;
                                                   Stack(h.game, 4, {2});
                                                   h.game.Cell(3, 15) = 1;
                                               },
                                               "weights"},
                                    Corruption{
                                        "a floating stone in phase 1", MidGame,
                                        [](EngineHarness& h) { h.game.Cell(4, 12) = CellStone; },
                                        "settled"},
                                    Corruption{"a floating stone in the game-over countdown",
                                               MidGame,
                                               [](EngineHarness& h) {
                                                   h.game.state.phase = 12;
                                                   h.game.state.pieceColumn = SpawnColumn;
                                                   h.game.state.pieceHalfRow = SpawnHalfRow;
                                                   h.game.Cell(4, 12) = CellStone;
                                               },
                                               "settled"},
                                    Corruption{"a group of three left in phase 1", MidGame,
                                               [](EngineHarness& h) {
                                                   Stack(h.game, 4, {1, 1, 1});
                                                   h.game.WeighColumns();
                                                   h.drawing.DrawBoard();
                                               },
                                               "groups"},
                                    Corruption{"a group of three joined across a half-row contact",
                                               MidGame,
                                               [](EngineHarness& h) {
                                                   // Column 5 sits a half-row lower than column 4,
                                                   // so row 16 of column 4 touches the 3 in row 15
                                                   // of column 5; beside it stands the 3 of
                                                   // column 3.
                                                   Stack(h.game, 4, {3});
                                                   h.game.WeighColumns();
                                                   h.drawing.DrawBoard();
                                               },
                                               "groups"},
                                    Corruption{"spawn cell filled in phase 3", ChainPhase,
                                               [](EngineHarness& h) {
                                                   for (int row = 3; row <= 16; ++row) {
                                                       h.game.Cell(3, row) =
                                                           static_cast<uint8_t>(1 + row % 2);
                                                       h.game.Cell(4, row) =
                                                           static_cast<uint8_t>(1 + row % 2);
                                                   }
                                                   h.game.WeighColumns();
                                                   h.drawing.DrawBoard();
                                               },
                                               "spawn"},
                                    Corruption{
                                        "next piece empty", MidGame,
                                        [](EngineHarness& h) { h.game.state.pieceQueue[1] = 0; },
                                        "queue"},
                                    Corruption{
                                        "queue value 8", MidGame,
                                        [](EngineHarness& h) { h.game.state.pieceQueue[2] = 8; },
                                        "queue"},
                                    Corruption{
                                        "no falling piece in phase 1", MidGame,
                                        [](EngineHarness& h) { h.game.state.pieceQueue[0] = 0; },
                                        "queue"},
                                    Corruption{
                                        "no piece in phase 3", ChainPhase,
                                        [](EngineHarness& h) { h.game.state.pieceQueue[0] = 0; },
                                        "queue"},
                                    Corruption{"piece in the wall column", MidGame,
                                               [](EngineHarness& h) {
                                                   h.game.state.pieceColumn = 7;
                                               },
                                               "piece"},
                                    Corruption{"piece above the spawn half-row", MidGame,
                                               [](EngineHarness& h) {
                                                   h.game.state.pieceHalfRow = 5;
                                               },
                                               "piece"},
                                    Corruption{"piece inside an occupied cell", MidGame,
                                               [](EngineHarness& h) {
                                                   h.game.state.pieceColumn = 1;
                                                   h.game.state.pieceHalfRow = 30;
                                               },
                                               "piece"},
                                    Corruption{"piece below the field in a raised column", MidGame,
                                               [](EngineHarness& h) {
                                                   h.game.state.pieceColumn = 6;  // tilt -1
                                                   h.game.state.pieceHalfRow = 33;
                                               },
                                               "piece"},
                                    Corruption{"waiting piece moved off the spawn", ChainPhase,
                                               [](EngineHarness& h) {
                                                   h.game.state.pieceColumn = 4;
                                               },
                                               "piece"},
                                    Corruption{"previews beyond the queue", MidGame,
                                               [](EngineHarness& h) {
                                                   h.game.state.defaultSettings.previewCount = 3;
                                                   h.game.state.settings.previewCount = 3;
                                               },
                                               "settings"},
                                    Corruption{"minChain changed during the game", MidGame,
                                               [](EngineHarness& h) {
                                                   h.game.state.settings.minChain = 2;
                                               },
                                               "settings"},
                                    Corruption{"score not from points", MidGame,
                                               [](EngineHarness& h) { h.game.state.score = 1241; },
                                               "score"},
                                    Corruption{
                                        "score above the cap", MidGame,
                                        [](EngineHarness& h) { h.game.state.score = 100000000; },
                                        "score"},
                                    Corruption{"level not following the score", MidGame,
                                               [](EngineHarness& h) { h.game.state.level = 4; },
                                               "level"},
                                    Corruption{"level 100 at the cap", MidGame,
                                               [](EngineHarness& h) {
                                                   h.game.state.score = 99999999;
                                                   h.game.state.level = 100;
                                               },
                                               "level"},
                                    Corruption{"interval of level 1 at level 3", MidGame,
                                               [](EngineHarness& h) {
                                                   h.game.state.settings.dropInterval = 41;
                                               },
                                               "interval"},
                                    Corruption{"weights hidden at level 3", MidGame,
                                               [](EngineHarness& h) {
                                                   h.game.state.settings.infoMode = 1;
                                               },
                                               "interval"},
                                    Corruption{"weights shown at level 60", MidGame,
                                               [](EngineHarness& h) {
                                                   GameState& s = h.game.state;
                                                   s.score = 29500;
                                                   s.level = 60;
                                                   s.settings.dropInterval = 1;
                                                   s.settings.infoMode = 1;
                                               },
                                               "interval"},
                                    Corruption{
                                        "Hard start not recomputed once the pieces fall", MidGame,
                                        [](EngineHarness& h) {
                                            GameState& s = h.game.state;
                                            s.score = 20000;
                                            s.level = 41;
                                            s.settings = s.defaultSettings;
                                        },
                                        "interval"},
                                    Corruption{
                                        "countdown 0", MidGame,
                                        [](EngineHarness& h) { h.game.state.dropCountdown = 0; },
                                        "countdown"},
                                    Corruption{
                                        "countdown above every interval", MidGame,
                                        [](EngineHarness& h) { h.game.state.dropCountdown = 42; },
                                        "countdown"},
                                    Corruption{"key flag 2", MidGame,
                                               [](EngineHarness& h) { h.game.state.keyDown = 2; },
                                               "keys"},
                                    Corruption{
                                        "chainCount beyond a cascade", MidGame,
                                        [](EngineHarness& h) { h.game.state.chainCount = 31; },
                                        "chain"},
                                    Corruption{
                                        "chainCount left after a search that removed nothing",
                                        MidGame,
                                        [](EngineHarness& h) { h.game.state.chainCount = 2; },
                                        "chain"}),
                         [](const ::testing::TestParamInfo<Corruption>& param) {
                             std::string name;
                             for (const char* p = param.param.what; *p != '\0'; ++p) {
                                 name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             }
                             return name;
                         });

// Records that are sound although they look odd.
struct SoundCorner {
    const char* what;
    std::function<void(EngineHarness&)> make;
};

class SoundRecord : public ::testing::TestWithParam<SoundCorner> {};

TEST_P(SoundRecord, Passes) {
    EngineHarness h;
    GetParam().make(h);
    EXPECT_EQ(Check(h.game.state), "") << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Table, SoundRecord,
    ::testing::Values(SoundCorner{"right after the window's creation", [](EngineHarness&) {}},
                      SoundCorner{"the middle of a game", MidGame},
                      SoundCorner{"the Hard start, stones in the top rows over the spawned piece",
                                  [](EngineHarness& h) { h.game.HardCommand(); }},
                      SoundCorner{"the countdown in progress above a lowered interval",
                                  [](EngineHarness& h) {
                                      MidGame(h);
                                      GameState& s = h.game.state;
                                      s.score = 14500;  // level 30, interval 12
                                      s.level = 30;
                                      s.settings.dropInterval = 12;
                                      s.settings.infoMode = 1;
                                      s.dropCountdown = 41;
                                  }},
                      SoundCorner{"a chain count carried into a new game",
                                  [](EngineHarness& h) {
                                      h.game.state.chainCount = 7;
                                      h.game.EasyCommand();
                                  }},
                      SoundCorner{"right after a landing, the piece not yet weighed",
                                  [](EngineHarness& h) {
                                      MidGame(h);
                                      Stack(h.game, 4, {6});
                                      h.game.state.pieceQueue[0] = 0;
                                      h.game.state.phase = PhaseWeigh;
                                  }},
                      SoundCorner{"a stone landed: nothing unweighed",
                                  [](EngineHarness& h) {
                                      MidGame(h);
                                      Stack(h.game, 4, {CellStone});
                                      h.game.state.pieceQueue[0] = 0;
                                      h.game.state.phase = PhaseWeigh;
                                  }},
                      SoundCorner{"an overloaded scale during the countdown",
                                  [](EngineHarness& h) {
                                      MidGame(h);
                                      Stack(h.game, 2, {6, 6, 6});
                                      h.game.WeighColumns();
                                      h.drawing.DrawBoard();
                                      h.game.state.pieceColumn = SpawnColumn;
                                      h.game.state.pieceHalfRow = SpawnHalfRow;
                                      h.game.state.phase = 17;
                                  }},
                      SoundCorner{"the finished game with every read-out shown",
                                  [](EngineHarness& h) {
                                      MidGame(h);
                                      GameState& s = h.game.state;
                                      s.score = 29500;
                                      s.level = 60;
                                      s.settings.dropInterval = 1;
                                      s.settings.infoMode = 3;
                                      s.pieceColumn = SpawnColumn;
                                      s.pieceHalfRow = SpawnHalfRow;
                                      s.phase = PhaseGameOver;
                                  }},
                      SoundCorner{"the score at its cap",
                                  [](EngineHarness& h) {
                                      MidGame(h);
                                      GameState& s = h.game.state;
                                      s.score = 99999999;
                                      s.level = 99;
                                      s.settings.dropInterval = 1;
                                      s.settings.infoMode = 0;
                                  }}),
    [](const ::testing::TestParamInfo<SoundCorner>& param) {
        std::string name;
        for (const char* p = param.param.what; *p != '\0'; ++p) {
            name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
        }
        return name;
    });

TEST(InvariantText, NamesTheCellAndFitsTheBuffer) {
    EngineHarness h;
    MidGame(h);
    h.game.Cell(0, 5) = 3;
    InvariantViolation violation;
    std::memset(violation.text, 'x', sizeof violation.text);
    ASSERT_FALSE(CheckInvariants(h.game.state, &violation));
    EXPECT_STREQ(violation.text, "walls: cell (0, 5) holds 3");
    EXPECT_FALSE(CheckInvariants(h.game.state));  // no report wanted
}

// Random games driven through the engine, checked after every event. Besides staying clean they
// must have reached the corners the invariants speak about, or the run proves little.
TEST(RandomGames, StayCleanAndReachEveryPhase) {
    EngineHarness h;
    RandomPlayer player(20261211);
    bool phaseSeen[21] = {};
    uint32_t highestLevel = 0;
    int gamesOver = 0;
    int cascades = 0;
    InvariantViolation violation{};
    for (int step = 0; step < 400000; ++step) {
        const PlayerAction action = player.Next(h.timer.running);
        switch (action.event) {
            case PlayerEvent::Tick: {
                const bool wasRunning = h.timer.running;
                h.game.TurnTick();
                gamesOver += wasRunning && !h.timer.running ? 1 : 0;
                break;
            }
            case PlayerEvent::KeyDown:
                h.game.HandleKeyDown(action.key);
                break;
            case PlayerEvent::KeyUp:
                h.game.HandleKeyUp(action.key);
                break;
            case PlayerEvent::Easy:
                h.clock.seconds += 7;
                h.game.EasyCommand();
                break;
            case PlayerEvent::Hard:
                h.clock.seconds += 11;
                h.game.HardCommand();
                break;
            case PlayerEvent::Paint:
                h.Paint();
                break;
        }
        ASSERT_TRUE(CheckInvariants(h.game.state, &violation))
            << violation.text << " after step " << step;
        phaseSeen[h.game.state.phase] = true;
        highestLevel = std::max<uint32_t>(highestLevel, h.game.state.level);
        cascades += h.game.state.chainCount >= 2 ? 1 : 0;
    }
    for (int phase = 1; phase <= 20; ++phase) {
        EXPECT_TRUE(phaseSeen[phase]) << "phase " << phase << " never seen";
    }
    EXPECT_GE(gamesOver, 50);
    EXPECT_GT(highestLevel, 41u);
    EXPECT_GT(cascades, 0);
}

}  // namespace
