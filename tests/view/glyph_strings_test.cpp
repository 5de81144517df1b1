// Glyph strings, number formats and the read-outs.
#include <gtest/gtest.h>

#include "tests/view/scene_rig.h"

namespace {

constexpr int B = layout::GlyphBlank;
constexpr int Q = layout::GlyphQuestion;
constexpr int P = layout::GlyphPlus;
constexpr int M = layout::GlyphMinus;
constexpr int PM = layout::GlyphPlusMinus;

TEST(DrawGlyphs, MapsEveryCharacterOfTheTable) {
    SceneRig rig;
    rig.view.DrawGlyphs("0123456789?+-* ", 3, -4);
    EXPECT_EQ(rig.TakeGlyphString(3, -4),
              (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, Q, P, M, PM, B}));
    rig.view.DrawGlyphs("", 0, 0);
    rig.view.DrawGlyphs(nullptr, 0, 0);
    EXPECT_TRUE(rig.Take().empty());
}

TEST(DrawGlyphs, CharactersOutsideTheTableShowBlank) {
    // Neighbours of the digits and signs included: ':' would be glyph 10 and '/' glyph 255 by
    // plain subtraction.
    SceneRig rig;
    rig.view.DrawGlyphs("/:>A\x7f\xff", 0, 0);
    EXPECT_EQ(rig.TakeGlyphString(0, 0), (std::vector<int>{B, B, B, B, B, B}));
    for (int c = 1; c < 256; ++c) {
        const uint8_t g = SceneView::GlyphOf(static_cast<char>(c));
        EXPECT_LT(g, layout::GlyphCount) << c;
    }
}

TEST(DrawNumber, FormatsEveryUse) {
    struct Case {
        int32_t value;
        bool signedForm;
        std::vector<int> glyphs;
    };
    const Case cases[] = {
        // Weights and the level: two places, the magnitude only.
        {0, false, {B, 0}},
        {7, false, {B, 7}},
        {45, false, {4, 5}},
        {90, false, {9, 0}},
        {1, false, {B, 1}},
        {99, false, {9, 9}},
        {-7, false, {B, 7}},
        // Differences: a sign and two places.
        {0, true, {PM, B, 0}},
        {5, true, {P, B, 5}},
        {12, true, {P, 1, 2}},
        {90, true, {P, 9, 0}},
        {-7, true, {M, B, 7}},
        {-12, true, {M, 1, 2}},
        {-30, true, {M, 3, 0}},
        {-90, true, {M, 9, 0}},
        // Beyond what the game produces the text grows, and still fits its buffer.
        {123, false, {1, 2, 3}},
        {INT32_MIN, true, {M, 2, 1, 4, 7, 4, 8, 3, 6, 4, 8}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.value) + (c.signedForm ? " signed" : ""));
        SceneRig rig;
        rig.view.DrawNumber(c.value, 139, 317, c.signedForm);
        EXPECT_EQ(rig.TakeGlyphString(139, 317), c.glyphs);
    }
}

TEST(DrawScore, LevelThenEightPlacesOfScore) {
    struct Case {
        uint8_t level;
        uint32_t score;
        std::vector<int> levelGlyphs;
        std::vector<int> scoreGlyphs;
    };
    const Case cases[] = {
        {1, 0, {B, 1}, {B, B, B, B, B, B, B, 0}},
        {99, 99999999, {9, 9}, {9, 9, 9, 9, 9, 9, 9, 9}},
        {41, 20000, {4, 1}, {B, B, B, 2, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.score);
        SceneRig rig;
        rig.state.level = c.level;
        rig.state.score = c.score;
        rig.view.DrawScore();
        std::vector<std::string> blits = rig.Take();
        ASSERT_EQ(blits.size(), 10u);
        std::vector<std::string> expected;
        for (size_t i = 0; i < 2; ++i) {
            expected.push_back("glyph " + std::to_string(410 + 10 * i) + ",97 g" +
                               std::to_string(c.levelGlyphs[i]));
        }
        for (size_t i = 0; i < 8; ++i) {
            expected.push_back("glyph " + std::to_string(380 + 10 * i) + ",161 g" +
                               std::to_string(c.scoreGlyphs[i]));
        }
        EXPECT_EQ(blits, expected);
    }
}

TEST(DrawReadouts, WeightsAndDifferencesByInfoMode) {
    // Weights 0, 7 | 45, 90 | 3, 10: differences -7, -45, -7 (never 249: signed subtraction).
    const uint8_t weights[8] = {0, 0, 7, 45, 90, 3, 10, 0};
    const std::vector<std::vector<int>> shownWeights = {{B, 0}, {B, 7}, {4, 5},
                                                        {9, 0}, {B, 3}, {1, 0}};
    const std::vector<std::vector<int>> shownDifferences = {{M, B, 7}, {M, 4, 5}, {M, B, 7}};
    for (uint8_t mode = 0; mode <= 3; ++mode) {
        SCOPED_TRACE(static_cast<int>(mode));
        SceneRig rig;
        std::copy(std::begin(weights), std::end(weights), rig.state.columnWeight);
        rig.state.settings.infoMode = mode;
        rig.view.DrawReadouts();
        const std::vector<std::string> blits = rig.Take();
        ASSERT_EQ(blits.size(), 21u);
        std::vector<std::string> expected;
        for (int c = 1; c <= 6; ++c) {
            const std::vector<int>& g = (mode & 1) ? shownWeights[c - 1] : std::vector<int>{Q, Q};
            for (int i = 0; i < 2; ++i) {
                expected.push_back("glyph " + std::to_string(80 + 40 * c + 10 * i) + ",297 g" +
                                   std::to_string(g[i]));
            }
        }
        for (int s = 0; s < 3; ++s) {
            const std::vector<int>& g =
                (mode & 2) ? shownDifferences[s] : std::vector<int>{Q, Q, Q};
            for (int i = 0; i < 3; ++i) {
                expected.push_back("glyph " + std::to_string(139 + 80 * s + 10 * i) + ",317 g" +
                                   std::to_string(g[i]));
            }
        }
        EXPECT_EQ(blits, expected);
    }
}

TEST(DrawReadouts, EqualWeightsShowPlusMinus) {
    SceneRig rig;
    rig.state.columnWeight[1] = 12;
    rig.state.columnWeight[2] = 12;
    rig.state.columnWeight[3] = 17;
    rig.state.columnWeight[4] = 12;
    rig.view.DrawReadouts();
    std::vector<std::string> blits = rig.Take();
    ASSERT_EQ(blits.size(), 21u);
    EXPECT_EQ(
        std::vector<std::string>(blits.begin() + 12, blits.begin() + 18),
        (std::vector<std::string>{"glyph 139,317 g13", "glyph 149,317 g14", "glyph 159,317 g0",
                                  "glyph 219,317 g11", "glyph 229,317 g14", "glyph 239,317 g5"}));
}

}  // namespace
