// Golden frames: a real game driven tick by tick, drawn by the scene view through the software
// canvas onto a 480 x 336 frame with the program's own sheets, compared byte for byte with the
// frames in tests/golden/. Set VANTOREL_UPDATE_GOLDEN=1 to write the frames anew (then look at
// them); a mismatch writes <name>-actual.ppm beside the golden frame.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/game.h"
#include "res/resource_ids.h"
#include "shell/platform/soft/soft_surface.h"
#include "tests/support/engine_harness.h"
#include "view/layout.h"
#include "view/scene_view.h"

namespace {

// The window's part of the game: the five sheets loaded in the window's order, the canvas, the
// scene view and the game, with a fixed clock so that the pieces are always the same.
struct GoldenGame {
    std::vector<uint8_t> pixels =
        std::vector<uint8_t>(size_t{layout::ClientWidth} * layout::ClientHeight * 3, 0);
    SoftSurface surface{layout::ClientWidth, layout::ClientHeight, pixels.data()};
    SoftCanvas canvas{surface};
    WBitmap glyphBitmap, tileBitmap, backgroundBitmap, panBitmap, bannerBitmap;
    SettableClock clock;
    SwitchTimer timer;
    Game game;
    SceneView view;
    GameState& s;

    GoldenGame()
        : game(view, clock, timer),
          view(game.state,
               SceneSheets{&glyphBitmap, &tileBitmap, &backgroundBitmap, &panBitmap, &bannerBitmap},
               &canvas),
          s(game.state) {
        EXPECT_TRUE(glyphBitmap.Load(ID_Bitmap_Glyphs));
        EXPECT_TRUE(tileBitmap.Load(ID_Bitmap_Tiles));
        EXPECT_TRUE(backgroundBitmap.Load(ID_Bitmap_Background));
        EXPECT_TRUE(panBitmap.Load(ID_Bitmap_Pans));
        EXPECT_TRUE(bannerBitmap.Load(ID_Bitmap_Banner));
        clock.seconds = 1000000;
        game.WriteDefaultSettings();
        game.NewGame();
        Paint();
    }

    void Paint() { view.OnPaint(WRect{0, 0, layout::ClientWidth, layout::ClientHeight}); }

    // Puts values into a column from row 16 upwards.
    void Stack(int column, std::initializer_list<uint8_t> bottomUp) {
        int row = LastFieldRow;
        for (uint8_t value : bottomUp) {
            game.Cell(column, row--) = value;
        }
    }

    uint32_t Pixel(int x, int y) const {
        const uint8_t* p = &pixels[(size_t(y) * layout::ClientWidth + x) * 3];
        return uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
    }
};

std::string GoldenPath(const std::string& name, const char* suffix = "") {
    return std::string(VANTOREL_GOLDEN_DIR) + "/" + name + suffix + ".ppm";
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Compares the frame with the golden one, byte for byte.
void ExpectGolden(const GoldenGame& g, const std::string& name) {
    const std::string golden = GoldenPath(name);
    const char* update = std::getenv("VANTOREL_UPDATE_GOLDEN");
    if (update != nullptr && std::string(update) == "1") {
        ASSERT_TRUE(WriteSurfacePpm(g.surface, golden.c_str())) << golden;
        std::printf("wrote %s\n", golden.c_str());
        return;
    }
    const std::string actualPath = GoldenPath(name, "-actual");
    ASSERT_TRUE(WriteSurfacePpm(g.surface, actualPath.c_str())) << actualPath;
    const std::string actual = ReadFile(actualPath);
    const std::string expected = ReadFile(golden);
    if (actual == expected) {
        std::remove(actualPath.c_str());
        return;
    }
    // Where the first difference lies, in pixels.
    const std::string header = "P6\n480 336\n255\n";
    std::string where = "sizes differ";
    size_t differing = 0;
    if (expected.size() == actual.size() && expected.compare(0, header.size(), header) == 0) {
        for (size_t i = header.size(); i < actual.size(); i += 3) {
            if (actual.compare(i, 3, expected, i, 3) != 0) {
                if (differing++ == 0) {
                    const size_t pixel = (i - header.size()) / 3;
                    where = "first at x " + std::to_string(pixel % 480) + ", y " +
                            std::to_string(pixel / 480);
                }
            }
        }
    }
    ADD_FAILURE() << "frame " << name << " differs from " << golden << " (" << differing
                  << " pixels, " << where << "); the frame drawn is in " << actualPath
                  << " (VANTOREL_UPDATE_GOLDEN=1 rewrites the golden frames)";
}

TEST(GoldenFrames, StartupBoardAfterAPaint) {
    GoldenGame g;
    ExpectGolden(g, "startup");
    // The strip above every column shows the brick of the background, the well is black.
    for (int x = 120; x < 360; x += 7) {
        EXPECT_EQ(g.Pixel(x, 20), 0u) << x;
    }
}

TEST(GoldenFrames, TiltedScalesWithWallCaps) {
    GoldenGame g;
    g.Stack(1, {1});
    g.Stack(2, {6, 5});  // 11 against 1: the left column rises by two half-rows
    g.Stack(3, {4, 3});  // 7 against 2: the left column sinks by one
    g.Stack(4, {2});
    g.Stack(5, {3, 7, 1});  // 4 against 4, with a stone
    g.Stack(6, {4});
    g.s.phase = PhaseWeigh;
    g.game.TurnTick();
    ASSERT_EQ(g.s.columnTilt[1], -2);
    ASSERT_EQ(g.s.columnTilt[2], 2);
    ASSERT_EQ(g.s.columnTilt[3], 1);
    ASSERT_EQ(g.s.columnTilt[5], 0);
    ASSERT_EQ(g.s.phase, PhaseChains);
    ExpectGolden(g, "tilted");
}

TEST(GoldenFrames, MarkedTilesShowForOneTick) {
    GoldenGame g;
    g.Stack(1, {2, 2, 2, 7});  // a group of three with a stone on it
    g.Stack(2, {5});
    g.s.phase = PhaseWeigh;
    g.game.TurnTick();
    ASSERT_EQ(g.s.phase, PhaseChains);
    g.game.TurnTick();  // marks, draws, removes
    ExpectGolden(g, "marked");
    ASSERT_EQ(g.s.phase, PhaseGravity);
    g.game.TurnTick();  // the first gravity tick draws the cells empty
    ExpectGolden(g, "removed");
}

TEST(GoldenFrames, BannerPartWayCompleteAndErasedByAPaint) {
    GoldenGame g;
    g.Stack(5, {6, 6, 6});  // 18 against 0: a tilt of 3 ends the game
    g.s.phase = PhaseWeigh;
    g.game.TurnTick();
    ASSERT_EQ(g.s.columnTilt[5], 3);
    ASSERT_EQ(g.s.phase, PhaseBannerStart);
    for (int step = 15; step >= 6; --step) {
        g.game.TurnTick();
    }
    ExpectGolden(g, "banner-partway");
    for (int step = 5; step >= 0; --step) {
        g.game.TurnTick();
    }
    ASSERT_EQ(g.s.phase, PhaseGameOver);
    ExpectGolden(g, "banner-complete");
    g.Paint();
    ExpectGolden(g, "banner-erased");
}

TEST(GoldenFrames, BannerStepsLeftOfTheSheetDrawNothing) {
    GoldenGame g;
    const std::vector<uint8_t> before = g.pixels;
    for (uint8_t step = 15; step >= 12; --step) {
        g.view.DrawBanner(step);
    }
    EXPECT_EQ(g.pixels, before);
    g.view.DrawBanner(11);  // the first slice: only the outline's leftmost column, black on black
    EXPECT_EQ(g.pixels, before);
    g.view.DrawBanner(10);  // the words begin
    EXPECT_NE(g.pixels, before);
}

}  // namespace
