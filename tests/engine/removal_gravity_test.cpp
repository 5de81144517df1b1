// Removal and scoring, level and the settings that follow it, and gravity.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "tests/engine/fakes.h"

namespace {

struct Marked {
    int column;
    std::vector<uint8_t> bottomUp;  // marked values 8..14 from row 16 up
};

TEST(RemoveMarked, ScoresCountTimesHeaviestTimesRound) {
    const struct {
        const char* what;
        std::vector<Marked> cells;
        uint8_t chainBefore;
        uint32_t scoreBefore;
        uint8_t chainAfter;
        uint32_t points;
        uint8_t level;
        uint32_t interval;
    } cases[] = {
        {"three 2s", {{1, {9, 9, 9}}}, 0, 0, 1, 120, 1, 41},
        {"three 5s and a stone", {{2, {12, 12}}, {3, {12, 14}}}, 0, 0, 1, 560, 2, 40},
        {"second of a cascade: four 1s", {{4, {8, 8, 8, 8}}}, 1, 120, 2, 160, 1, 41},
        {"three 3s and three 6s", {{1, {10, 10, 10}}, {6, {13, 13, 13}}}, 0, 0, 1, 720, 2, 40},
        {"499 plus 120", {{5, {9, 9, 9}}}, 0, 499, 1, 120, 2, 40},
        {"eighth round of a cascade: three 2s", {{1, {9, 9, 9}}}, 7, 0, 8, 960, 2, 40},
    };
    for (const auto& c : cases) {
        GameTest t;
        t.s.chainCount = c.chainBefore;
        t.s.score = c.scoreBefore;
        int marked = 0;
        bool columns[8] = {};
        for (const Marked& m : c.cells) {
            int row = 16;
            for (uint8_t v : m.bottomUp) {
                t.game.Cell(m.column, row--) = v;
                ++marked;
            }
            columns[m.column] = true;
        }
        t.game.Cell(6, 2) = 4;  // an unmarked cell stays
        t.ClearDirty();
        EXPECT_EQ(t.game.RemoveMarked(), PhaseGravity) << c.what;
        EXPECT_EQ(t.s.chainCount, c.chainAfter) << c.what;
        EXPECT_EQ(t.s.score, c.scoreBefore + c.points) << c.what;
        EXPECT_EQ(t.s.level, c.level) << c.what;
        EXPECT_EQ(t.s.settings.dropInterval, c.interval) << c.what;
        EXPECT_EQ(t.FieldCount(CellEmpty), 90 - 1) << c.what;
        EXPECT_EQ(t.game.Cell(6, 2), 4) << c.what;
        for (int col = 1; col <= 6; ++col) {
            EXPECT_EQ(t.s.columnDirty[col], columns[col] ? 1 : 0) << c.what << " column " << col;
        }
        EXPECT_GT(marked, 0);
    }
}

TEST(RemoveMarked, NothingMarkedResetsTheRoundAndStillRecomputesTheLevel) {
    GameTest t;
    t.game.SetUpHardGame();  // score 20000, level 41, settings still the defaults
    t.s.chainCount = 3;
    t.ClearDirty();
    GameState before = t.s;
    EXPECT_EQ(t.game.RemoveMarked(), PhaseFall);
    EXPECT_EQ(0, std::memcmp(before.board, t.s.board, sizeof t.s.board));
    EXPECT_EQ(t.s.chainCount, 0);
    EXPECT_EQ(t.s.score, 20000u);
    EXPECT_EQ(t.s.level, 41);
    EXPECT_EQ(t.s.settings.dropInterval, 1u);
    EXPECT_EQ(t.s.settings.infoMode, 1);
    for (int c = 1; c <= 6; ++c) {
        EXPECT_EQ(t.s.columnDirty[c], 0);
    }
}

TEST(RemoveMarked, LevelIntervalAndInfoModeFollowTheScore) {
    const struct {
        uint32_t score;
        uint8_t level;
        uint32_t interval;
        uint8_t infoMode;  // starting from 2, which no rule writes
    } cases[] = {
        {0, 1, 41, 2},        {499, 1, 41, 2},   {500, 2, 40, 2},   {9999, 20, 22, 2},
        {10000, 21, 21, 1},   {19999, 40, 2, 1}, {20000, 41, 1, 1}, {24999, 50, 1, 1},
        {25000, 51, 1, 0},    {48999, 98, 1, 0}, {49000, 99, 1, 0}, {49500, 99, 1, 0},
        {99999999, 99, 1, 0},
    };
    for (const auto& c : cases) {
        GameTest t;
        t.s.score = c.score;
        t.s.settings.infoMode = 2;
        t.game.RemoveMarked();
        EXPECT_EQ(t.s.level, c.level) << "score " << c.score;
        EXPECT_EQ(t.s.settings.dropInterval, c.interval) << "score " << c.score;
        EXPECT_EQ(t.s.settings.infoMode, c.infoMode) << "score " << c.score;
    }
}

TEST(RemoveMarked, ScoreSaturatesAtTheCap) {
    for (uint32_t before : {99999999u - 559u, 99999999u - 1u, 99999999u}) {
        GameTest t;
        t.s.score = before;
        t.Stack(2, {12, 12, 12, 14});  // 560 points
        t.game.RemoveMarked();
        EXPECT_EQ(t.s.score, before + 560u > 99999999u ? 99999999u : before + 560u);
        EXPECT_EQ(t.s.level, 99);
    }
    GameTest t;
    t.s.score = 99999999u - 560u;
    t.Stack(2, {12, 12, 12, 14});
    t.game.RemoveMarked();
    EXPECT_EQ(t.s.score, 99999999u);
}

TEST(RemoveMarked, AnyRemovedStoneMakesTheHeaviestSeven) {
    GameTest t;
    t.Stack(1, {8, 8, 8});
    t.Stack(4, {14});
    t.game.RemoveMarked();
    EXPECT_EQ(t.s.score, 20u * 1 * 4 * 7);
}

struct GravityCase {
    const char* what;
    std::vector<std::pair<int, int>> cells;               // (column, row) of value 3 before
    std::vector<std::vector<std::pair<int, int>>> after;  // cells after each moving call
};

TEST(GravityStep, OneRowPerCallBottomUp) {
    const GravityCase cases[] = {
        {"one piece over two gaps", {{2, 14}}, {{{2, 15}}, {{2, 16}}}},
        {"a stack of three over one gap",
         {{4, 12}, {4, 13}, {4, 14}, {4, 16}},
         {{{4, 13}, {4, 14}, {4, 15}, {4, 16}}}},
        {"the top row falls",
         {{6, 2},
          {6, 4},
          {6, 5},
          {6, 6},
          {6, 7},
          {6, 8},
          {6, 9},
          {6, 10},
          {6, 11},
          {6, 12},
          {6, 13},
          {6, 14},
          {6, 15},
          {6, 16}},
         {{{6, 3},
           {6, 4},
           {6, 5},
           {6, 6},
           {6, 7},
           {6, 8},
           {6, 9},
           {6, 10},
           {6, 11},
           {6, 12},
           {6, 13},
           {6, 14},
           {6, 15},
           {6, 16}}}},
        {"two gaps in one column close together",
         {{1, 10}, {1, 12}},
         {{{1, 11}, {1, 13}},
          {{1, 12}, {1, 14}},
          {{1, 13}, {1, 15}},
          {{1, 14}, {1, 16}},
          {{1, 15}, {1, 16}}}},
        {"row 16 never moves", {{3, 16}, {5, 16}}, {}},
    };
    for (const GravityCase& c : cases) {
        GameTest t;
        for (auto [col, row] : c.cells) {
            t.game.Cell(col, row) = 3;
        }
        for (const auto& expected : c.after) {
            t.ClearDirty();
            ASSERT_EQ(t.game.GravityStep(), PhaseGravity) << c.what;
            EXPECT_EQ(t.FieldCount(3), static_cast<int>(expected.size())) << c.what;
            for (auto [col, row] : expected) {
                EXPECT_EQ(t.game.Cell(col, row), 3) << c.what << " at " << col << "," << row;
                EXPECT_EQ(t.s.columnDirty[col], 1) << c.what;
            }
        }
        t.ClearDirty();
        EXPECT_EQ(t.game.GravityStep(), PhaseWeigh) << c.what;
        for (int col = 1; col <= 6; ++col) {
            EXPECT_EQ(t.s.columnDirty[col], 0) << c.what;
        }
    }
}

TEST(GravityStep, StonesAndPiecesFallAlikeAndFlagOnlyMovedColumns) {
    GameTest t;
    t.Stack(2, {1, 0, CellStone, 2});  // rows 16..13
    t.Stack(5, {4});
    t.ClearDirty();
    EXPECT_EQ(t.game.GravityStep(), PhaseGravity);
    EXPECT_EQ(t.game.Cell(2, 15), CellStone);
    EXPECT_EQ(t.game.Cell(2, 14), 2);
    EXPECT_EQ(t.game.Cell(2, 13), 0);
    EXPECT_EQ(t.s.columnDirty[2], 1);
    EXPECT_EQ(t.s.columnDirty[5], 0);
    EXPECT_EQ(t.game.GravityStep(), PhaseWeigh);
}

TEST(SwapCells, ExchangesTwoValues) {
    uint8_t a = 4;
    uint8_t b = 0;
    Game::SwapCells(a, b);
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 4);
}

}  // namespace
