// What a real game draws tick by tick, counted on a recording canvas.
#include <gtest/gtest.h>

#include "engine/game.h"
#include "tests/support/engine_harness.h"
#include "tests/view/scene_rig.h"

namespace {

// A game started with "&Easy" whose drawing is a scene view over a recording canvas.
struct PlayedGame {
    RecordingCanvas canvas;
    WBitmap glyphs, tiles, background, pans, banner;
    SettableClock clock;
    SwitchTimer timer;
    Game game;
    SceneView view;
    SceneRig describer;  // only for describing blits

    PlayedGame()
        : game(view, clock, timer),
          view(game.state, SceneSheets{&glyphs, &tiles, &background, &pans, &banner}, &canvas) {
        clock.seconds = 77;
        game.WriteDefaultSettings();
        game.EasyCommand();
        canvas.blits.clear();
    }

    std::vector<std::string> Take() {
        std::vector<std::string> out;
        for (BlitRecord b : canvas.blits) {
            // Map this game's sheets onto the describer's, which names them.
            const WBitmap* mine[] = {&glyphs, &tiles, &background, &pans, &banner};
            const WBitmap* named[] = {&describer.glyphs, &describer.tiles, &describer.background,
                                      &describer.pans, &describer.banner};
            for (int i = 0; i < 5; ++i) {
                if (b.bitmap == mine[i]) {
                    b.bitmap = named[i];
                }
            }
            out.push_back(describer.Describe(b));
        }
        canvas.blits.clear();
        return out;
    }
};

TEST(GameDrawing, NewGameDrawsTheBoardOnce) {
    PlayedGame g;
    g.game.NewGame();
    const std::vector<std::string> blits = g.Take();
    // An empty field after an empty field: no column weighed anything, so no scale is flagged;
    // read-outs, previews, score and level, and the read-outs again.
    EXPECT_EQ(blits.size(), 21u + 2 + 10 + 21);
}

TEST(GameDrawing, FallTicksDrawThePieceAndMoveItWithTwoBlits) {
    PlayedGame g;
    GameState& s = g.game.state;
    ASSERT_EQ(s.phase, PhaseFall);
    const std::string tile = "t" + std::to_string(s.pieceQueue[0]);

    g.game.TurnTick();  // no key: the piece is drawn where it stands
    EXPECT_EQ(g.Take(), (std::vector<std::string>{"tile 200,16 " + tile}));

    s.keyRight = 1;
    g.game.TurnTick();  // drawn, erased, drawn one column further right
    EXPECT_EQ(g.Take(), (std::vector<std::string>{"tile 200,16 " + tile, "tile 200,16 t0",
                                                  "tile 240,16 " + tile}));
    s.keyRight = 0;

    s.keyDown = 1;
    g.game.TurnTick();  // half a row down
    EXPECT_EQ(g.Take(), (std::vector<std::string>{"tile 240,16 " + tile, "tile 240,16 t0",
                                                  "tile 240,24 " + tile}));
}

TEST(GameDrawing, LandingWeighingAndTheNextPiece) {
    PlayedGame g;
    GameState& s = g.game.state;
    s.keyDown = 1;
    int ticks = 0;
    while (s.phase == PhaseFall && ticks < 100) {
        g.game.TurnTick();
        ++ticks;
    }
    ASSERT_EQ(s.phase, PhaseWeigh);
    g.Take();
    s.keyDown = 0;

    // The weighing tick takes the next piece (previews), weighs and redraws the landed scale.
    g.game.TurnTick();
    std::vector<std::string> blits = g.Take();
    ASSERT_GE(blits.size(), 2u);
    EXPECT_EQ(blits[0], "tile 413,42 t" + std::to_string(s.pieceQueue[2]));
    EXPECT_EQ(blits[1], "tile 400,32 t" + std::to_string(s.pieceQueue[1]));
    // Previews, then the board: numbers, one scale (pan, 30 cells, 2 caps), numbers again.
    EXPECT_EQ(blits.size(), 2 + 33 + 33 + 21u);
    EXPECT_EQ(blits[2 + 33], "pan 200,224 f" + std::to_string(s.columnTilt[3] + 2));
}

TEST(GameDrawing, BannerStepsTwoBlitsEach) {
    PlayedGame g;
    GameState& s = g.game.state;
    s.phase = PhaseBannerStart;
    for (int step = 15; step >= 1; --step) {
        g.game.TurnTick();
        const std::vector<std::string> blits = g.Take();
        ASSERT_EQ(blits.size(), 2u) << step;
        const int src = 220 - 20 * step;
        const int dst = 340 - 20 * step;
        EXPECT_EQ(blits[0],
                  "banner " + std::to_string(dst) + ",106 and " + std::to_string(src) + ",23");
        EXPECT_EQ(blits[1],
                  "banner " + std::to_string(dst) + ",106 or " + std::to_string(src) + ",0");
    }
    // The last step: every read-out shown, then the final slice.
    s.settings.infoMode = 0;
    g.game.TurnTick();
    const std::vector<std::string> blits = g.Take();
    ASSERT_EQ(blits.size(), 21u + 2);
    EXPECT_EQ(blits[0], "glyph 120,297 g14");
    EXPECT_EQ(blits[1], "glyph 130,297 g0");
    EXPECT_EQ(blits[21], "banner 340,106 and 220,23");
    EXPECT_EQ(blits[22], "banner 340,106 or 220,0");
}

}  // namespace
