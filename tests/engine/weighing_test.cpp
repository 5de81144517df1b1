// Weighing, the tilt of each scale and the game-over test at the spawn position.
#include <gtest/gtest.h>

#include "tests/engine/fakes.h"

namespace {

TEST(PairTilt, OneHalfRowPerFiveUnitsTowardZero) {
    const struct {
        uint8_t left, right;
        int8_t tilt;
    } cases[] = {
        {0, 0, 0},   {4, 0, 0},    {0, 4, 0},   {5, 0, 1},    {9, 0, 1},   {0, 5, -1},
        {0, 9, -1},  {10, 0, 2},   {14, 0, 2},  {0, 10, -2},  {0, 14, -2}, {15, 0, 3},
        {19, 0, 3},  {0, 15, -3},  {0, 19, -3}, {20, 0, 4},   {47, 43, 0}, {43, 48, -1},
        {90, 0, 18}, {0, 90, -18}, {89, 0, 17}, {0, 86, -17}, {90, 90, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Game::PairTilt(c.left, c.right), c.tilt)
            << int(c.left) << " against " << int(c.right);
    }
}

TEST(PairTilt, IsAntisymmetric) {
    for (int a = 0; a <= 90; ++a) {
        for (int b = 0; b <= 90; ++b) {
            ASSERT_EQ(Game::PairTilt(uint8_t(a), uint8_t(b)),
                      -Game::PairTilt(uint8_t(b), uint8_t(a)));
        }
    }
}

TEST(WeighColumns, SumsValuesModSevenAndTiltsEachPair) {
    GameTest t;
    t.Stack(1, {6, 6, 2});          // 14
    t.Stack(2, {CellStone, 7, 7});  // stones weigh nothing
    t.Stack(3, {1});                // 1
    t.Stack(4, {3, 3});             // 6
    t.Stack(5, {8 + 4, 14});        // a marked 5 weighs 5, a marked stone 0
    t.Stack(6, {});
    t.game.WeighColumns();
    const uint8_t weights[7] = {0, 14, 0, 1, 6, 5, 0};
    const int8_t tilts[8] = {0, 2, -2, -1, 1, 1, -1, 0};
    for (int c = 0; c < 8; ++c) {
        if (c >= 1 && c <= 6) {
            EXPECT_EQ(t.s.columnWeight[c], weights[c]) << "column " << c;
        }
        EXPECT_EQ(t.s.columnTilt[c], tilts[c]) << "column " << c;
    }
    EXPECT_FALSE(t.game.IsSpawnBlockedOrOverloaded());
}

TEST(WeighColumns, FlagsOnlyColumnsWhoseWeightChanged) {
    GameTest t;
    t.Stack(1, {3});
    t.Stack(2, {CellStone});
    t.Stack(4, {2});
    t.game.WeighColumns();
    t.ClearDirty();
    // Column 1: the same weight in another row (a gravity move). Column 2: a stone more.
    // Column 4: a heavier piece. Column 6: unchanged and empty.
    t.game.Cell(1, 16) = 0;
    t.game.Cell(1, 14) = 3;
    t.game.Cell(2, 15) = CellStone;
    t.game.Cell(4, 16) = 5;
    t.game.WeighColumns();
    const uint8_t dirty[8] = {0, 0, 0, 0, 1, 0, 0, 0};
    for (int c = 0; c < 8; ++c) {
        EXPECT_EQ(t.s.columnDirty[c], dirty[c]) << "column " << c;
    }
}

TEST(WeighColumns, ColumnsOfOnlyStonesLeaveTheScaleLevel) {
    GameTest t;
    for (int row = 2; row <= 16; ++row) {
        t.game.Cell(5, row) = CellStone;
    }
    t.game.WeighColumns();
    EXPECT_EQ(t.s.columnWeight[5], 0);
    EXPECT_EQ(t.s.columnTilt[5], 0);
    EXPECT_EQ(t.s.columnTilt[6], 0);
}

// The spawn test: tilts beyond 2 either way, or the cell at half-row 6 of column 3.
TEST(IsSpawnBlockedOrOverloaded, TiltsAndTheSpawnCell) {
    const struct {
        uint8_t weight3, weight4;
        int occupiedFrom;  // column 3 holds pieces from this row down; 0: none
        bool over;
        const char* why;
    } cases[] = {
        {0, 0, 0, false, "empty field: spawn cell row 3"},
        {0, 0, 4, false, "tilt 0, rows 4..16 full"},
        {0, 0, 3, true, "tilt 0, row 3 occupied"},
        {14, 0, 0, false, "tilts +2/-2, no overload"},
        {14, 0, 3, false, "tilt +2: row 2 decides, rows 3.. full pass"},
        {14, 0, 2, true, "tilt +2: row 2 occupied"},
        {5, 0, 3, false, "tilt +1: row (6-1)/2 = 2 decides"},
        {0, 5, 4, false, "tilt -1: row (6+1)/2 = 3 decides"},
        {0, 5, 3, true, "tilt -1: row 3 occupied"},
        {0, 14, 5, false, "tilt -2: row 4 decides"},
        {0, 14, 4, true, "tilt -2: row 4 occupied"},
        {15, 0, 0, true, "difference 15: overload with a free spawn cell"},
        {0, 15, 0, true, "difference -15: overload"},
    };
    for (const auto& c : cases) {
        GameTest t;
        t.s.columnWeight[3] = c.weight3;
        t.s.columnWeight[4] = c.weight4;
        const int8_t tilt = Game::PairTilt(c.weight3, c.weight4);
        t.s.columnTilt[3] = tilt;
        t.s.columnTilt[4] = static_cast<int8_t>(-tilt);
        for (int row = c.occupiedFrom; c.occupiedFrom != 0 && row <= 16; ++row) {
            t.game.Cell(3, row) = CellStone;
        }
        EXPECT_EQ(t.game.IsSpawnBlockedOrOverloaded(), c.over) << c.why;
    }
}

TEST(IsSpawnBlockedOrOverloaded, OnlyColumnThreeBlocksAndAnyColumnOverloads) {
    GameTest t;
    for (int c : {1, 2, 4, 5, 6}) {
        for (int row = 2; row <= 16; ++row) {
            t.game.Cell(c, row) = CellStone;
        }
    }
    EXPECT_FALSE(t.game.IsSpawnBlockedOrOverloaded());
    t.game.Cell(3, 3) = 9;  // a marked cell blocks too
    EXPECT_TRUE(t.game.IsSpawnBlockedOrOverloaded());
    for (int c = 1; c <= 6; ++c) {
        GameTest u;
        u.s.columnTilt[c] = 3;
        EXPECT_TRUE(u.game.IsSpawnBlockedOrOverloaded()) << "column " << c;
        u.s.columnTilt[c] = -3;
        EXPECT_TRUE(u.game.IsSpawnBlockedOrOverloaded()) << "column " << c;
    }
}

TEST(IsSpawnBlockedOrOverloaded, AFullWeighedColumnTiltsTheSpawnCellIntoItsStack) {
    // Column 3 with weight 14 over an empty column 4: tilt +2, spawn cell row 2.
    GameTest t;
    t.Stack(3, {2, 2, 2, 2, 2, 2, 2});  // rows 10..16, weight 14
    t.game.WeighColumns();
    EXPECT_EQ(t.s.columnTilt[3], 2);
    EXPECT_FALSE(t.game.IsSpawnBlockedOrOverloaded());
    // Column 4 outweighs it by 10: tilt -2, spawn cell row 4, still free.
    t.Stack(4, {6, 6, 6, 6});  // 24
    t.game.WeighColumns();
    EXPECT_EQ(t.s.columnTilt[3], -2);
    EXPECT_FALSE(t.game.IsSpawnBlockedOrOverloaded());
}

}  // namespace
