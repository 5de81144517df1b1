// Scene drawing on a recording canvas: the order of the blits, which scales are redrawn, the
// dirty flags, and what is drawn for values without a picture.
#include <gtest/gtest.h>

#include "tests/view/scene_rig.h"

namespace {

// The blits that precede the scales in every DrawBoard: read-outs, previews, level and score.
constexpr size_t ReadoutBlits = 21;
constexpr size_t PreviewBlits = 2;
constexpr size_t ScoreBlits = 10;

size_t Count(const std::vector<std::string>& blits, const std::string& prefix) {
    size_t n = 0;
    for (const std::string& b : blits) {
        n += b.rfind(prefix, 0) == 0 ? 1 : 0;
    }
    return n;
}

TEST(DrawBoard, WithoutDirtyFlagsDrawsOnlyTheNumbersAndPreviews) {
    struct Case {
        uint8_t infoMode;
        size_t blits;  // a second pass of the read-outs unless every read-out is hidden
    };
    for (const Case& c : {Case{3, 21 + 2 + 10 + 21}, Case{1, 54}, Case{2, 54}, Case{0, 33}}) {
        SCOPED_TRACE(static_cast<int>(c.infoMode));
        SceneRig rig;
        rig.state.settings.infoMode = c.infoMode;
        rig.state.pieceQueue[1] = 4;
        rig.state.pieceQueue[2] = 6;
        rig.view.DrawBoard();
        const std::vector<std::string> blits = rig.Take();
        ASSERT_EQ(blits.size(), c.blits);
        EXPECT_EQ(blits[ReadoutBlits], "tile 413,42 t6");  // the farther piece first
        EXPECT_EQ(blits[ReadoutBlits + 1], "tile 400,32 t4");
        EXPECT_EQ(blits[ReadoutBlits + PreviewBlits], "glyph 410,97 g14");
        EXPECT_EQ(Count(blits, "glyph"), c.blits - PreviewBlits);
    }
}

TEST(DrawBoard, RedrawsTheScaleOfEitherFlaggedColumnAndClearsBoth) {
    for (int flagged = 1; flagged <= 6; ++flagged) {
        SCOPED_TRACE(flagged);
        SceneRig rig;
        rig.state.columnDirty[flagged] = 1;
        rig.view.DrawBoard();
        const std::vector<std::string> blits = rig.Take();
        const int left = flagged % 2 == 1 ? flagged : flagged - 1;
        // Pan, 2 x 15 cells and a cap over each row 2 (at y 0 when level), the read-outs again.
        ASSERT_EQ(blits.size(), ReadoutBlits + PreviewBlits + ScoreBlits + 1 + 32 + ReadoutBlits);
        EXPECT_EQ(blits[33], "pan " + std::to_string(80 + 40 * left) + ",224 f2");
        EXPECT_EQ(Count(blits, "tile " + std::to_string(80 + 40 * left) + ","), 16u);
        EXPECT_EQ(Count(blits, "tile " + std::to_string(120 + 40 * left) + ","), 16u);
        EXPECT_EQ(blits[33 + 15], "tile " + std::to_string(80 + 40 * left) + ",0 t0");
        EXPECT_EQ(blits[33 + 16], "tile " + std::to_string(80 + 40 * left) + ",0 t15");
        for (int c = 0; c < BoardColumns; ++c) {
            EXPECT_EQ(rig.state.columnDirty[c], 0) << c;
        }
    }
}

TEST(DrawBoard, ScaleOrderPanThenColumnsBottomUpWithCaps) {
    // Tilts (-2, 2): the left column's rows 2 and 3 at y -16 and 0 are each capped at once; the
    // right column sinks into the pan area and needs no cap.
    SceneRig rig;
    rig.state.columnTilt[1] = -2;
    rig.state.columnTilt[2] = 2;
    rig.state.board[CellIndex(1, 16)] = 3;
    rig.state.board[CellIndex(1, 2)] = 5;
    rig.state.board[CellIndex(2, 16)] = 7;
    rig.state.board[CellIndex(2, 15)] = 12;
    rig.state.columnDirty[2] = 1;
    rig.view.DrawBoard();
    std::vector<std::string> blits = rig.Take();
    blits.erase(blits.begin(), blits.begin() + ReadoutBlits + PreviewBlits + ScoreBlits);
    blits.resize(blits.size() - ReadoutBlits);
    std::vector<std::string> expected = {"pan 120,224 f0"};
    for (int row = 16; row >= 2; --row) {
        const int y = 16 * row - 32 - 16;
        const int value = row == 16 ? 3 : row == 2 ? 5 : 0;
        expected.push_back("tile 120," + std::to_string(y) + " t" + std::to_string(value));
        if (y < 16) {
            expected.push_back("tile 120,0 t15");
        }
    }
    for (int row = 16; row >= 2; --row) {
        const int y = 16 * row - 32 + 16;
        const int value = row == 16 ? 7 : row == 15 ? 12 : 0;
        expected.push_back("tile 160," + std::to_string(y) + " t" + std::to_string(value));
    }
    EXPECT_EQ(blits, expected);
    EXPECT_EQ(expected[1], "tile 120,208 t3");
    ASSERT_EQ(expected.size(), 1 + 17 + 15u);
    EXPECT_EQ(expected[15], "tile 120,0 t15");
    EXPECT_EQ(expected[16], "tile 120,-16 t5");
    EXPECT_EQ(expected[17], "tile 120,0 t15");
    EXPECT_EQ(expected[18], "tile 160,240 t7");
    EXPECT_EQ(expected.back(), "tile 160,16 t0");
}

TEST(DrawBoard, HalfRowTiltCapsTheTopRow) {
    // Tilt 1 on the left: row 2 at y 8 is capped, its lower half (y 16..23) stays visible. The
    // right column, raised by one half-row, has rows 3 and 2 above the well's top.
    SceneRig rig;
    rig.state.columnTilt[3] = 1;
    rig.state.columnTilt[4] = -1;
    rig.state.columnDirty[3] = 1;
    rig.view.DrawBoard();
    std::vector<std::string> blits = rig.Take();
    blits.erase(blits.begin(), blits.begin() + 33);
    ASSERT_EQ(blits.size(), 1 + 16 + 17 + ReadoutBlits);
    EXPECT_EQ(blits[0], "pan 200,224 f3");
    EXPECT_EQ(blits[1], "tile 200,232 t0");
    EXPECT_EQ(blits[15], "tile 200,8 t0");
    EXPECT_EQ(blits[16], "tile 200,0 t15");
    EXPECT_EQ(blits[17], "tile 240,216 t0");
    EXPECT_EQ(blits[30], "tile 240,8 t0");
    EXPECT_EQ(blits[31], "tile 240,0 t15");
    EXPECT_EQ(blits[32], "tile 240,-8 t0");
    EXPECT_EQ(blits[33], "tile 240,0 t15");
}

TEST(DrawBoard, AllScalesLeftToRightWithoutPansWhenHidden) {
    SceneRig rig;
    rig.state.settings.showPans = 0;
    rig.state.columnDirty[1] = rig.state.columnDirty[4] = rig.state.columnDirty[6] = 1;
    rig.view.DrawBoard();
    const std::vector<std::string> blits = rig.Take();
    EXPECT_EQ(Count(blits, "pan"), 0u);
    ASSERT_EQ(blits.size(), 33 + 96 + ReadoutBlits);
    for (int column = 1; column <= 6; ++column) {
        EXPECT_EQ(blits[33 + 16 * (column - 1)],
                  "tile " + std::to_string(80 + 40 * column) + ",224 t0");
    }
}

TEST(DrawPan, FrameByTiltAndExtremesBeyond) {
    struct Case {
        int8_t tilt;
        int frame;
    };
    for (const Case& c : {Case{-2, 0}, Case{-1, 1}, Case{0, 2}, Case{1, 3}, Case{2, 4}, Case{-3, 0},
                          Case{-18, 0}, Case{3, 4}, Case{18, 4}, Case{127, 4}, Case{-128, 0}}) {
        SCOPED_TRACE(static_cast<int>(c.tilt));
        SceneRig rig;
        rig.state.columnTilt[5] = c.tilt;
        rig.state.columnTilt[6] = static_cast<int8_t>(-c.tilt);
        rig.view.DrawPan(5);
        EXPECT_EQ(rig.Take(), std::vector<std::string>{"pan 280,224 f" + std::to_string(c.frame)});
    }
}

TEST(DrawBoard, ExtremeTiltShiftsColumnsByTheFullTilt) {
    // The board of a game lost by over-tilt: the columns at 8 x 9 pixels off level.
    SceneRig rig;
    rig.state.columnTilt[1] = 9;
    rig.state.columnTilt[2] = -9;
    rig.state.columnDirty[1] = 1;
    rig.view.DrawBoard();
    const std::vector<std::string> blits = rig.Take();
    EXPECT_EQ(blits[33], "pan 120,224 f4");
    EXPECT_EQ(blits[34], "tile 120,296 t0");  // over the weight read-out row
    EXPECT_EQ(blits[35 + 14], "tile 160,152 t0");
    EXPECT_EQ(Count(blits, "tile 160,0 t15"), 6u);  // rows 2..7 lie above y 16
    // The read-outs come last, over the sunken column.
    EXPECT_EQ(blits[blits.size() - ReadoutBlits], "glyph 120,297 g14");
}

TEST(DrawPreviews, CountBoundsAndOrder) {
    struct Case {
        uint8_t count;
        std::vector<std::string> blits;
    };
    const Case cases[] = {
        {0, {}},
        {1, {"tile 400,32 t2"}},
        {2, {"tile 413,42 t5", "tile 400,32 t2"}},
        {9, {"tile 413,42 t5", "tile 400,32 t2"}},  // the queue holds two coming pieces only
    };
    for (const Case& c : cases) {
        SceneRig rig;
        rig.state.pieceQueue[0] = 1;
        rig.state.pieceQueue[1] = 2;
        rig.state.pieceQueue[2] = 5;
        rig.state.settings.previewCount = c.count;
        rig.view.DrawPreviews();
        EXPECT_EQ(rig.Take(), c.blits) << static_cast<int>(c.count);
    }
}

TEST(DrawCell, EveryTileAndNothingBeyond) {
    SceneRig rig;
    for (int v = 0; v < 256; ++v) {
        rig.view.DrawCell(-3, 400, static_cast<uint8_t>(v));
    }
    const std::vector<std::string> blits = rig.Take();
    ASSERT_EQ(blits.size(), 16u);
    for (int v = 0; v < 16; ++v) {
        EXPECT_EQ(blits[v], "tile -3,400 t" + std::to_string(v));
    }
}

TEST(DrawFallingPiece, MapsColumnAndHalfRowToTheWindow) {
    SceneRig rig;
    rig.view.DrawFallingPiece(3, 6, 2);   // the spawn position
    rig.view.DrawFallingPiece(6, 35, 0);  // the lowest half-row, erasing
    rig.view.DrawFallingPiece(1, 7, 7);
    EXPECT_EQ(rig.Take(),
              (std::vector<std::string>{"tile 200,16 t2", "tile 320,248 t0", "tile 120,24 t7"}));
}

TEST(DrawBanner, MaskThenImageOfOneSlice) {
    struct Case {
        uint8_t step;
        const char* mask;
        const char* image;
    };
    for (const Case& c : {Case{0, "banner 340,106 and 220,23", "banner 340,106 or 220,0"},
                          Case{11, "banner 120,106 and 0,23", "banner 120,106 or 0,0"},
                          Case{15, "banner 40,106 and -80,23", "banner 40,106 or -80,0"}}) {
        SceneRig rig;
        rig.view.DrawBanner(c.step);
        EXPECT_EQ(rig.Take(), (std::vector<std::string>{c.mask, c.image}));
    }
}

TEST(OnPaint, BackgroundThenEveryScaleAndFlagsClear) {
    SceneRig rig;
    rig.state.columnDirty[2] = 1;  // pending flags are taken along
    rig.view.OnPaint(WRect{0, 0, 480, 336});
    const std::vector<std::string> blits = rig.Take();
    ASSERT_EQ(blits.size(), 1 + 33 + 3 * (1 + 32) + ReadoutBlits);
    EXPECT_EQ(blits[0], "background 0,0,480,336 from 0,0,0,0");
    EXPECT_EQ(blits[1], "glyph 120,297 g14");  // DrawBoard follows at once
    EXPECT_EQ(blits[34], "pan 120,224 f2");
    EXPECT_EQ(blits[34 + 33], "pan 200,224 f2");
    EXPECT_EQ(blits[34 + 66], "pan 280,224 f2");
    EXPECT_EQ(Count(blits, "tile 200,16 t"), 1u);  // no falling piece, no banner
    EXPECT_EQ(Count(blits, "banner"), 0u);
    for (int c = 0; c < BoardColumns; ++c) {
        EXPECT_EQ(rig.state.columnDirty[c], 0) << c;
    }
}

TEST(SceneView, DrawsNothingWithoutCanvasOrSheet) {
    SceneRig rig;
    rig.view.SetCanvas(nullptr);
    rig.view.OnPaint(WRect{0, 0, 480, 336});
    rig.view.DrawBanner(3);
    EXPECT_TRUE(rig.Take().empty());
    EXPECT_EQ(rig.state.columnDirty[1], 0);  // the flags are still handled

    rig.view.SetCanvas(&rig.canvas);
    rig.view.SetSheets(SceneSheets{nullptr, &rig.tiles, nullptr, nullptr, nullptr});
    rig.view.OnPaint(WRect{0, 0, 480, 336});
    const std::vector<std::string> blits = rig.Take();
    EXPECT_EQ(blits.size(), 2 + 96u);  // previews, cells and caps only
    EXPECT_EQ(Count(blits, "tile"), blits.size());
}

}  // namespace
