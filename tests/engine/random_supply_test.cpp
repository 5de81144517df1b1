// The generator's sequence and the piece supply's bands.
#include <gtest/gtest.h>

#include "engine/random_source.h"
#include "tests/engine/fakes.h"

namespace {

struct SeedCase {
    uint32_t seed;
    uint16_t first[5];
    uint32_t stateAfterFive;
};

// Worked out from state <- state * 1103515245 + 12345 (mod 2^32), result bits 16..30.
const SeedCase seedCases[] = {
    {0, {0, 21468, 9988, 22117, 3498}, 0x0daa96f5u},
    {1, {16838, 5758, 10113, 17515, 31051}, 0xf94bdf32u},
    {12345, {21468, 9988, 22117, 3498, 16927}, 0xc21f1c8au},
    {4294967295u, {15929, 4409, 9862, 26718, 8713}, 0x22094eb8u},
};

TEST(RandomSource, FirstOutputsForKnownSeeds) {
    for (const SeedCase& c : seedCases) {
        RandomSource random;
        random.Seed(c.seed);
        EXPECT_EQ(random.State(), c.seed);
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(random.Next(), c.first[i]) << "seed " << c.seed << " output " << i;
        }
        EXPECT_EQ(random.State(), c.stateAfterFive) << "seed " << c.seed;
    }
}

TEST(RandomSource, StaysWithinFifteenBitsAndRepeatsForTheSameSeed) {
    RandomSource a;
    RandomSource b;
    a.Seed(987654321u);
    b.Seed(987654321u);
    for (int i = 0; i < 10000; ++i) {
        const uint16_t value = a.Next();
        ASSERT_LE(value, 32767);
        ASSERT_EQ(value, b.Next());
    }
}

struct BandCase {
    uint8_t level;
    int base;
    int size;
};

// Levels at both ends of every band of ten, and the top bands that all supply 4..7.
const BandCase bandCases[] = {
    {1, 0, 3},  {10, 0, 3}, {11, 0, 4}, {20, 0, 4}, {21, 0, 5}, {30, 0, 5}, {31, 0, 6}, {40, 0, 6},
    {41, 1, 6}, {50, 1, 6}, {51, 2, 5}, {60, 2, 5}, {61, 3, 4}, {70, 3, 4}, {71, 3, 4}, {99, 3, 4},
};

TEST(AdvanceQueue, ValueIsBasePlusRemainderPlusOneForEveryBand) {
    for (const BandCase& c : bandCases) {
        GameTest t(4242);
        RandomSource mirror = t.game.Random();  // the same state: predicts the next value
        t.s.level = c.level;
        for (int i = 0; i < 40; ++i) {
            const uint8_t oldNext = t.s.pieceQueue[1];
            const uint8_t oldAfter = t.s.pieceQueue[2];
            t.game.AdvanceQueue();
            const int expected = c.base + mirror.Next() % c.size + 1;
            ASSERT_EQ(t.s.pieceQueue[0], oldNext);
            ASSERT_EQ(t.s.pieceQueue[1], oldAfter);
            ASSERT_EQ(t.s.pieceQueue[2], expected) << "level " << int(c.level);
            ASSERT_GE(t.s.pieceQueue[2], c.base + 1);
            ASSERT_LE(t.s.pieceQueue[2], c.base + c.size);
        }
    }
}

TEST(AdvanceQueue, EveryValueOfABandComesUp) {
    const struct {
        uint8_t level;
        int low;
        int high;
    } ranges[] = {{40, 1, 6}, {41, 2, 7}, {55, 3, 7}, {61, 4, 7}, {99, 4, 7}};
    for (const auto& range : ranges) {
        GameTest t(7);
        t.s.level = range.level;
        bool seen[8] = {};
        for (int i = 0; i < 400; ++i) {
            t.game.AdvanceQueue();
            seen[t.s.pieceQueue[2]] = true;
        }
        for (int v = 0; v < 8; ++v) {
            EXPECT_EQ(seen[v], v >= range.low && v <= range.high)
                << "level " << int(range.level) << " value " << v;
        }
    }
}

TEST(AdvanceQueue, PutsEveryNewPieceAtTheSpawnPosition) {
    GameTest t;
    t.s.pieceColumn = 6;
    t.s.pieceHalfRow = 31;
    t.game.AdvanceQueue();
    EXPECT_EQ(t.s.pieceColumn, 3);
    EXPECT_EQ(t.s.pieceHalfRow, 6);
    EXPECT_TRUE(t.drawing.calls.empty());  // the caller draws the previews
}

TEST(AdvanceQueue, NewGameFillsTheQueueFromTheSeededSequence) {
    // Seed 0 yields 0, 21468, 9988: remainders by 3 are 0, 0, 1.
    GameTest t(0);
    EXPECT_EQ(t.s.pieceQueue[0], 1);
    EXPECT_EQ(t.s.pieceQueue[1], 1);
    EXPECT_EQ(t.s.pieceQueue[2], 2);
    // Seed 1 yields 16838, 5758, 10113: remainders 2, 1, 0.
    GameTest u(1);
    EXPECT_EQ(u.s.pieceQueue[0], 3);
    EXPECT_EQ(u.s.pieceQueue[1], 2);
    EXPECT_EQ(u.s.pieceQueue[2], 1);
}

TEST(AdvanceQueue, AStoneInFrontIsAFallingPieceLikeAnyOther) {
    GameTest t;
    t.s.pieceQueue[1] = CellStone;
    t.game.AdvanceQueue();
    ASSERT_EQ(t.s.pieceQueue[0], CellStone);
    t.game.Cell(3, 4) = 2;  // just below the spawn cell: lands at once
    EXPECT_EQ(t.game.FallStep(), PhaseWeigh);
    EXPECT_EQ(t.game.Cell(3, 3), CellStone);
}

}  // namespace
