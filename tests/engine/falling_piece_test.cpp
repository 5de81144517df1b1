// Held keys and the fall step: moves, refusals, descents and landings.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/engine/fakes.h"

namespace {

using Calls = std::vector<std::string>;

struct FallTest : ::testing::Test, GameTest {
    // A piece of value 2 at (column, halfRow), with the countdown far from running out.
    void Place(uint8_t column, uint8_t halfRow, uint32_t countdown = 20) {
        s.pieceQueue[0] = 2;
        s.pieceColumn = column;
        s.pieceHalfRow = halfRow;
        s.dropCountdown = countdown;
        drawing.calls.clear();
        ClearDirty();
    }
};

TEST(KeyHandlers, MapEveryCodeToItsFlagOrToNothing) {
    for (uint32_t code = 0; code <= 0xFF; ++code) {
        GameTest t;
        EXPECT_FALSE(t.game.HandleKeyDown(code));
        int left = 0;
        int right = 0;
        int down = 0;
        switch (code) {
            case 0x41:
            case 0x64:
                left = 1;
                break;
            case 0x44:
            case 0x53:
            case 0x66:
                right = 1;
                break;
            case 0x58:
            case 0x5A:
            case 0x62:
                down = 1;
                break;
            default:  // arrows (0x25..0x28) and everything else are ignored
                break;
        }
        EXPECT_EQ(t.s.keyLeft, left) << "code " << code;
        EXPECT_EQ(t.s.keyRight, right) << "code " << code;
        EXPECT_EQ(t.s.keyDown, down) << "code " << code;
        EXPECT_FALSE(t.game.HandleKeyUp(code));
        EXPECT_EQ(t.s.keyLeft + t.s.keyRight + t.s.keyDown, 0) << "code " << code;
        EXPECT_TRUE(t.drawing.calls.empty());
    }
}

TEST(KeyHandlers, ReleasingOneOfTwoKeysOfAFlagClearsIt) {
    GameTest t;
    t.game.HandleKeyDown(0x41);  // A
    t.game.HandleKeyDown(0x64);  // keypad 4
    t.game.HandleKeyUp(0x41);
    EXPECT_EQ(t.s.keyLeft, 0);
    t.game.HandleKeyDown(0x58);
    t.game.HandleKeyDown(0x58);  // auto-repeat
    EXPECT_EQ(t.s.keyDown, 1);
    t.game.HandleKeyUp(0x26);  // an arrow's key-up changes nothing
    EXPECT_EQ(t.s.keyDown, 1);
}

TEST_F(FallTest, DrawsThePieceFirstAndCountsDownWithoutMoving) {
    Place(3, 6, 5);
    EXPECT_EQ(game.FallStep(), PhaseFall);
    EXPECT_EQ(drawing.calls, (Calls{"piece 3,6,2"}));
    EXPECT_EQ(s.dropCountdown, 4u);
    EXPECT_EQ(s.pieceHalfRow, 6);
}

TEST_F(FallTest, DescendsOnTheStepTheCountdownRunsOutAndReloadsIt) {
    Place(3, 6, 41);
    for (int step = 1; step <= 40; ++step) {
        game.FallStep();
        ASSERT_EQ(s.pieceHalfRow, 6) << "step " << step;
    }
    EXPECT_EQ(s.dropCountdown, 1u);
    drawing.calls.clear();
    game.FallStep();
    EXPECT_EQ(s.pieceHalfRow, 7);
    EXPECT_EQ(s.dropCountdown, 41u);
    EXPECT_EQ(drawing.calls, (Calls{"piece 3,6,2", "piece 3,6,0", "piece 3,7,2"}));
}

TEST_F(FallTest, DropKeyDescendsEveryStepAndReloadsTheCountdown) {
    Place(3, 6, 17);
    s.keyDown = 1;
    game.FallStep();
    EXPECT_EQ(s.pieceHalfRow, 7);
    EXPECT_EQ(s.dropCountdown, 41u);
    game.FallStep();
    EXPECT_EQ(s.pieceHalfRow, 8);
    EXPECT_EQ(s.dropCountdown, 41u);
}

TEST_F(FallTest, SideKeysMoveOneColumnPerStepAndCancelOut) {
    const struct {
        uint8_t left, right;
        uint8_t column;
    } cases[] = {{1, 0, 2}, {0, 1, 4}, {1, 1, 3}, {0, 0, 3}};
    for (const auto& c : cases) {
        Place(3, 6, 1);  // descends in this step
        s.keyLeft = c.left;
        s.keyRight = c.right;
        game.FallStep();
        EXPECT_EQ(s.pieceColumn, c.column);
        EXPECT_EQ(s.pieceHalfRow, 7);  // the descent comes with the side move
        EXPECT_EQ(drawing.calls, (Calls{"piece 3,6,2", "piece 3,6,0",
                                        "piece " + std::to_string(c.column) + ",7,2"}));
    }
}

TEST_F(FallTest, RefusedMoveHoversAndKeepsTheReloadedCountdown) {
    Stack(2, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1});  // rows 3..16 of column 2
    const struct {
        uint8_t column;
        uint8_t left, right, down;
    } cases[] = {
        {1, 1, 0, 0},  // toward the wall column 0
        {6, 0, 1, 0},  // toward the wall column 7
        {3, 1, 0, 0},  // toward a column filled up to the piece's height
        {1, 1, 0, 1},  // with the drop key held too: hovers in every step
    };
    for (const auto& c : cases) {
        Place(c.column, 6, 1);
        s.keyLeft = c.left;
        s.keyRight = c.right;
        s.keyDown = c.down;
        for (int step = 0; step < 3; ++step) {
            EXPECT_EQ(game.FallStep(), PhaseFall);
            EXPECT_EQ(s.pieceColumn, c.column);
            EXPECT_EQ(s.pieceHalfRow, 6);
            EXPECT_EQ(s.dropCountdown, c.down ? 41u : (step == 0 ? 41u : 41u - step));
        }
        EXPECT_EQ(drawing.calls, (Calls{"piece " + std::to_string(c.column) + ",6,2",
                                        "piece " + std::to_string(c.column) + ",6,2",
                                        "piece " + std::to_string(c.column) + ",6,2"}));
    }
}

TEST_F(FallTest, SideMoveUsesTheTargetColumnsTilt) {
    // From column 2 (tilt 0) at half-row 7, which straddles rows 3 and 4 there, into column 3.
    const struct {
        int8_t tilt3;
        int fillFrom;  // column 3 holds pieces from this row down to 16; 0: empty
        uint8_t column;
        uint8_t phase;
        int landedRow;  // 0: still falling
    } cases[] = {
        {-1, 0, 3, PhaseFall, 0},   // (7 + 1) / 2 = row 4, aligned
        {-1, 5, 3, PhaseWeigh, 4},  // aligned on row 4 over a full row 5: lands there
        {-1, 4, 2, PhaseFall, 0},   // row 4 occupied: refused, stays in column 2
        {2, 0, 3, PhaseFall, 0},    // (7 - 2) / 2 = row 2, straddling rows 2 and 3
        {2, 3, 3, PhaseWeigh, 2},   // only row 2 is tested; row 3 below lands it in row 2
        {2, 2, 2, PhaseFall, 0},    // row 2 occupied: refused
    };
    for (const auto& c : cases) {
        GameTest t;
        t.SetTilts(0, c.tilt3, 0);
        for (int row = c.fillFrom; c.fillFrom != 0 && row <= LastFieldRow; ++row) {
            t.game.Cell(3, row) = static_cast<uint8_t>(1 + row % 2);
        }
        t.s.pieceQueue[0] = 6;
        t.s.pieceColumn = 2;
        t.s.pieceHalfRow = 7;
        t.s.dropCountdown = 20;
        t.s.keyRight = 1;
        EXPECT_EQ(t.game.FallStep(), c.phase) << "tilt " << int(c.tilt3) << " from " << c.fillFrom;
        EXPECT_EQ(t.s.pieceColumn, c.column);
        EXPECT_EQ(t.s.pieceHalfRow, 7);
        if (c.landedRow != 0) {
            EXPECT_EQ(t.game.Cell(3, c.landedRow), 6);
            EXPECT_EQ(t.s.pieceQueue[0], 0);
            EXPECT_EQ(t.s.columnDirty[3], 1);
        } else {
            EXPECT_EQ(t.s.pieceQueue[0], 6);
        }
    }
}

TEST_F(FallTest, LandingTestFollowsTheColumnsTilt) {
    // Where a piece at a half-row rests, by tilt: it lands when the cell below its row is full.
    const struct {
        int8_t tilt;
        uint8_t halfRow;
        int restRow;  // the row it lies in
    } cases[] = {
        {0, 32, 16}, {0, 31, 15}, {-1, 31, 16}, {1, 31, 15}, {2, 34, 16}, {-2, 30, 16}, {2, 6, 2},
    };
    for (const auto& c : cases) {
        for (bool belowFilled : {false, true}) {
            GameTest t;
            t.SetTilts(c.tilt, 0, 0);
            if (belowFilled && c.restRow < 16) {
                t.game.Cell(1, c.restRow + 1) = 4;
            }
            t.s.pieceQueue[0] = 5;
            t.s.pieceColumn = 1;
            t.s.pieceHalfRow = c.halfRow;
            t.s.dropCountdown = 30;
            const bool lands = belowFilled || c.restRow == 16;  // row 17 is wall
            EXPECT_EQ(t.game.FallStep(), lands ? PhaseWeigh : PhaseFall)
                << "tilt " << int(c.tilt) << " half-row " << int(c.halfRow);
            EXPECT_EQ(t.game.Cell(1, c.restRow), lands ? 5 : 0);
            EXPECT_EQ(t.s.dropCountdown, 29u);  // a landing does not touch the countdown
        }
    }
}

TEST_F(FallTest, PureDescentIntoAStraddleIsNeverRefused) {
    // Half-row 30 in tilt 0 is row 15; row 16 full lands it; row 16 empty lets it sink to
    // half-row 31 (straddling 15 and 16) and then to 32, where the wall lands it.
    Place(1, 30, 1);
    s.keyDown = 1;
    EXPECT_EQ(game.FallStep(), PhaseFall);
    EXPECT_EQ(s.pieceHalfRow, 31);
    EXPECT_EQ(game.FallStep(), PhaseWeigh);
    EXPECT_EQ(s.pieceHalfRow, 32);
    EXPECT_EQ(game.Cell(1, 16), 2);
    EXPECT_EQ(s.dropCountdown, 41u);  // the next piece starts with a full interval
}

TEST_F(FallTest, FreshPieceOverAnOccupiedCellLandsUnlessMovedAway) {
    Stack(3, {1, 2, 1, 2, 1, 2, 1, 2, 1, 2, 1, 2, 3});  // rows 4..16
    Place(3, 6);
    EXPECT_EQ(game.FallStep(), PhaseWeigh);
    EXPECT_EQ(game.Cell(3, 3), 2);

    GameTest t;
    t.Stack(3, {1, 2, 1, 2, 1, 2, 1, 2, 1, 2, 1, 2, 3});
    t.s.pieceQueue[0] = 2;
    t.s.keyRight = 1;
    EXPECT_EQ(t.game.FallStep(), PhaseFall);
    EXPECT_EQ(t.s.pieceColumn, 4);
}

TEST_F(FallTest, LandsOnAStone) {
    game.Cell(5, 16) = CellStone;
    Place(5, 30);
    EXPECT_EQ(game.FallStep(), PhaseWeigh);
    EXPECT_EQ(game.Cell(5, 15), 2);
    EXPECT_EQ(s.columnDirty[5], 1);
    EXPECT_EQ(s.columnDirty[6], 0);
}

}  // namespace
