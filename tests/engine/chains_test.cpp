// Neighbourhood through tilted columns, group flooding and the chain scan.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "tests/engine/fakes.h"

namespace {

// Row change by direction (rows) and tilt difference -4..+4 (columns).
const int expectedShift[6][9] = {
    {-1, -1, -1, -1, -1, -1, -1, -1, -1},  // Up
    {-2, -2, -1, -1, 0, 0, 1, 1, 2},       // UpperRight
    {-2, -1, -1, 0, 0, 1, 1, 2, 2},        // LowerRight
    {1, 1, 1, 1, 1, 1, 1, 1, 1},           // Down
    {-2, -1, -1, 0, 0, 1, 1, 2, 2},        // LowerLeft
    {-2, -2, -1, -1, 0, 0, 1, 1, 2},       // UpperLeft
};
const int expectedColumnChange[6] = {0, 1, 1, 0, -1, -1};

TEST(Neighbours, ColumnAndRowForEveryDirectionAndTiltDifference) {
    // Columns 2 and 3 stand on different scales, so every difference -4..+4 occurs between them.
    for (int tilt2 = -2; tilt2 <= 2; ++tilt2) {
        for (int tilt3 = -2; tilt3 <= 2; ++tilt3) {
            GameTest t;
            t.SetTilts(static_cast<int8_t>(-tilt2), static_cast<int8_t>(tilt3), 0);
            ASSERT_EQ(t.s.columnTilt[2], tilt2);
            for (uint8_t direction = Up; direction <= UpperLeft; ++direction) {
                const bool right = direction == UpperRight || direction == LowerRight;
                const bool left = direction == LowerLeft || direction == UpperLeft;
                // Look right from column 2 and left from column 3: both into the other one.
                const uint8_t from = left ? 3 : 2;
                const int d = right ? tilt2 - tilt3 : (left ? tilt3 - tilt2 : 0);
                EXPECT_EQ(Game::NeighbourColumn(from, direction),
                          from + expectedColumnChange[direction]);
                EXPECT_EQ(t.game.NeighbourRow(from, 9, direction),
                          9 + expectedShift[direction][d + 4])
                    << "direction " << int(direction) << " difference " << d;
            }
        }
    }
}

TEST(Neighbours, TheShiftTableMatchesTheRule) {
    for (int d = -4; d <= 4; ++d) {
        EXPECT_EQ(neighbourRowShift[0][d + 4], expectedShift[UpperRight][d + 4]);
        EXPECT_EQ(neighbourRowShift[1][d + 4], expectedShift[LowerRight][d + 4]);
    }
}

// For every tilt combination: side neighbours are exactly the cells of the adjacent column that
// overlap vertically (half-row positions within one), and the relation is symmetric.
TEST(Neighbours, SideNeighboursOverlapAndAreSymmetric) {
    for (int a = -2; a <= 2; ++a) {
        for (int b = -2; b <= 2; ++b) {
            for (int e = -2; e <= 2; ++e) {
                GameTest t;
                t.SetTilts(static_cast<int8_t>(a), static_cast<int8_t>(b), static_cast<int8_t>(e));
                for (uint8_t c = 1; c <= 6; ++c) {
                    for (uint8_t r = 2; r <= 16; ++r) {
                        for (uint8_t k = Up; k <= UpperLeft; ++k) {
                            const uint8_t nc = Game::NeighbourColumn(c, k);
                            const uint8_t nr = t.game.NeighbourRow(c, r, k);
                            ASSERT_LE(nr, 18);
                            if (nc != c) {
                                const int gap =
                                    (2 * nr + t.s.columnTilt[nc]) - (2 * r + t.s.columnTilt[c]);
                                ASSERT_LE(std::abs(gap), 1);
                            }
                            if (nc < 1 || nc > 6 || nr < 2 || nr > 16) {
                                continue;
                            }
                            bool back = false;
                            for (uint8_t j = Up; j <= UpperLeft; ++j) {
                                back = back || (Game::NeighbourColumn(nc, j) == c &&
                                                t.game.NeighbourRow(nc, nr, j) == r);
                            }
                            ASSERT_TRUE(back)
                                << "(" << int(c) << "," << int(r) << ") dir " << int(k);
                        }
                    }
                }
            }
        }
    }
}

struct ChainTest : ::testing::Test, GameTest {
    void Run() {
        ClearDirty();
        game.FindChains();
        for (int c = 0; c < BoardColumns; ++c) {
            for (int r = 0; r < BoardRows; ++r) {
                ASSERT_EQ(s.marks[CellIndex(c, r)], 0) << "mark left at " << c << "," << r;
            }
        }
    }
};

TEST_F(ChainTest, EmptyFieldOrOnlyStonesChangeNothing) {
    Stack(2, {CellStone, CellStone});
    Stack(3, {CellStone});
    GameState before = s;
    Run();
    EXPECT_EQ(0, std::memcmp(before.board, s.board, sizeof s.board));
    for (int c = 1; c <= 6; ++c) {
        EXPECT_EQ(s.columnDirty[c], 0);
    }
}

TEST_F(ChainTest, ThreeStackedAreConvertedTwoAreNot) {
    Stack(1, {4, 4, 4});
    Stack(6, {2, 2});
    Run();
    EXPECT_EQ(game.Cell(1, 16), 11);
    EXPECT_EQ(game.Cell(1, 15), 11);
    EXPECT_EQ(game.Cell(1, 14), 11);
    EXPECT_EQ(game.Cell(6, 16), 2);
    EXPECT_EQ(game.Cell(6, 15), 2);
    EXPECT_EQ(s.columnDirty[1], 1);
    EXPECT_EQ(s.columnDirty[6], 0);
}

// Pieces that only meet when the tilts put them side by side.
TEST(FloodMark, SideContactFollowsTheTilts) {
    const struct {
        int8_t scale1, scale2;
        int column1, row1;
        int column2, row2;
        bool touch;
        const char* why;
    } cases[] = {
        {0, 0, 1, 16, 2, 16, true, "level scale: same row side by side"},
        {1, 0, 1, 15, 2, 16, true, "tilts +1/-1: row r touches row r + 1"},
        {1, 0, 1, 16, 2, 16, false, "tilts +1/-1: the same row number does not touch"},
        {1, 0, 1, 16, 2, 15, false, "tilts +1/-1: nor row r - 1"},
        {2, 0, 1, 14, 2, 16, true, "tilts +2/-2: row r touches row r + 2"},
        {2, 0, 1, 15, 2, 16, false, "tilts +2/-2: row r + 1 does not touch"},
        {0, 1, 2, 16, 3, 16, true, "columns 2/3 at 0/+1: half a cell apart"},
        {0, 1, 2, 15, 3, 16, false, "columns 2/3 at 0/+1: a cell and a half apart"},
        {1, 0, 2, 16, 3, 16, true, "columns 2/3 at -1/0: row r touches row r of 3"},
        {1, 0, 2, 16, 3, 15, true, "columns 2/3 at -1/0: row r touches row r - 1 of 3"},
        {1, 0, 2, 15, 3, 16, false, "columns 2/3 at -1/0: not row r + 1"},
    };
    for (const auto& c : cases) {
        GameTest t;
        t.SetTilts(c.scale1, c.scale2, 0);
        t.game.Cell(c.column1, c.row1) = 5;
        t.game.Cell(c.column2, c.row2) = 5;
        EXPECT_EQ(t.game.FloodMark(uint8_t(c.column1), uint8_t(c.row1)), c.touch ? 2 : 1) << c.why;
        t.game.ClearMarks();
        EXPECT_EQ(t.game.FloodMark(uint8_t(c.column2), uint8_t(c.row2)), c.touch ? 2 : 1) << c.why;
    }
}

TEST_F(ChainTest, ATiltedNeighbourhoodCompletesAGroup) {
    // Scale 1 at +1/-1: column 1's rows 14 and 15 hold 5s; column 2's row 16 touches row 15.
    SetTilts(1, 0, 0);
    Stack(1, {2, 5, 5});
    Stack(2, {5});
    Run();
    EXPECT_EQ(game.Cell(2, 16), 12);
    EXPECT_EQ(game.Cell(1, 15), 12);
    EXPECT_EQ(game.Cell(1, 14), 12);
    EXPECT_EQ(game.Cell(1, 16), 2);
    // On a level scale the same cells make a group of two 5s and a lone 5 beside the 2.
    GameTest level;
    level.Stack(1, {2, 5, 5});
    level.Stack(2, {5});
    level.game.FindChains();
    EXPECT_EQ(level.FieldCount(5), 3);
}

TEST_F(ChainTest, WallColumnsAreNoNeighbours) {
    Stack(1, {3, 3});
    Stack(6, {3, 3});
    Run();
    EXPECT_EQ(FieldCount(3), 4);
}

TEST_F(ChainTest, StonesGoWithATouchingGroupButPassNothingOn) {
    // A group of exactly three 6s in column 4, rows 14..16, a stone above it (row 13), another
    // stone above that one (row 12), and a stone beside the group in column 5 row 16 (level).
    Stack(4, {6, 6, 6, CellStone, CellStone});
    Stack(5, {CellStone, CellStone});
    Run();
    EXPECT_EQ(game.Cell(4, 13), 14);
    EXPECT_EQ(game.Cell(4, 12), CellStone);  // touches only a stone
    EXPECT_EQ(game.Cell(5, 16), 14);
    EXPECT_EQ(game.Cell(5, 15), 14);  // beside the 6 in row 15
    EXPECT_EQ(game.Cell(5, 14), CellEmpty);
    EXPECT_EQ(s.columnDirty[5], 1);
}

TEST_F(ChainTest, SmallGroupsAreRefloodedAndLeaveStonesAlone) {
    Stack(2, {1, 1, CellStone});
    EXPECT_EQ(game.FloodMark(2, 16), 2);
    EXPECT_EQ(s.marks[CellIndex(2, 14)], 1);  // the stone is marked during the flood
    game.ClearMarks();
    EXPECT_EQ(game.FloodMark(2, 15), 2);  // the same count from the group's other cell
    game.ClearMarks();
    Run();
    EXPECT_EQ(game.Cell(2, 16), 1);
    EXPECT_EQ(game.Cell(2, 15), 1);
    EXPECT_EQ(game.Cell(2, 14), CellStone);
    EXPECT_EQ(s.columnDirty[2], 0);
}

TEST_F(ChainTest, SeparateGroupsOfOneValueAreJudgedOneByOne) {
    Stack(1, {2, 2, 2});
    Stack(3, {2, 2, 2});
    Stack(5, {2, 2});
    Run();
    EXPECT_EQ(FieldCount(9), 6);
    EXPECT_EQ(FieldCount(2), 2);
    EXPECT_EQ(game.Cell(5, 16), 2);
}

TEST_F(ChainTest, PiecesMeetingOnlyThroughAStoneAreNotConnected) {
    Stack(1, {3, 3, CellStone, 3});
    Run();
    EXPECT_EQ(FieldCount(3), 3);
    EXPECT_EQ(game.Cell(1, 14), CellStone);
}

TEST_F(ChainTest, AStoneBetweenTwoGroupsIsConvertedOnce) {
    Stack(1, {4, 4, 4});
    Stack(2, {CellStone});
    Stack(3, {5, 5, 5});
    Run();
    EXPECT_EQ(game.Cell(2, 16), 14);
    EXPECT_EQ(FieldCount(11), 3);
    EXPECT_EQ(FieldCount(12), 3);
}

TEST_F(ChainTest, MinChainDecidesTheSmallestGroup) {
    s.settings.minChain = 4;
    Stack(1, {4, 4, 4});
    Stack(2, {4, 6, 6, 6, 6});
    Stack(5, {1, 1, 1});
    Run();
    EXPECT_EQ(FieldCount(1), 3);  // three are too few now
    // Column 1's three 4s touch column 2's 4 in row 16: a group of four.
    EXPECT_EQ(FieldCount(11), 4);
    EXPECT_EQ(FieldCount(13), 4);
}

TEST_F(ChainTest, AWholeFieldOfOneValueIsOneGroupOfNinety) {
    for (int c = 1; c <= 6; ++c) {
        for (int r = 2; r <= 16; ++r) {
            game.Cell(c, r) = 3;
        }
    }
    SetTilts(2, -1, 1);
    EXPECT_EQ(game.FloodMark(1, 2), 90);
    game.ClearMarks();
    Run();
    EXPECT_EQ(FieldCount(10), 90);
}

}  // namespace
