// Numbers on the screen: strings of 10 x 12 glyphs, and the weight, difference, level and score
// read-outs made of them.
#include <cstdio>

#include "view/layout.h"
#include "view/scene_view.h"

uint8_t SceneView::GlyphOf(char character) {
    switch (character) {
        case ' ':
            return layout::GlyphBlank;
        case '?':
            return layout::GlyphQuestion;
        case '+':
            return layout::GlyphPlus;
        case '-':
            return layout::GlyphMinus;
        case '*':
            return layout::GlyphPlusMinus;
        default:
            break;
    }
    if (character >= '0' && character <= '9') {
        return static_cast<uint8_t>(character - '0');
    }
    // No caller writes any other character; the sheet has no glyph for one, so it shows as a
    // blank and still takes its place in the string.
    return layout::GlyphBlank;
}

void SceneView::DrawGlyphs(const char* text, int32_t x, int32_t y) {
    if (text == nullptr) {
        return;
    }
    for (int32_t i = 0; text[i] != '\0'; ++i) {
        const WRect destination{x + layout::GlyphWidth * i, y, layout::GlyphWidth,
                                layout::GlyphHeight};
        Blit(sheets_.glyphBitmap, destination, layout::GlyphSource(GlyphOf(text[i])),
             WRop::SrcCopy);
    }
}

void SceneView::DrawNumber(int32_t value, int32_t x, int32_t y, bool signedForm) {
    char text[16];
    // The magnitude as unsigned, so that even the most negative value has one.
    const uint32_t magnitude =
        value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
    if (!signedForm) {
        std::snprintf(text, sizeof text, "%2u", static_cast<unsigned>(magnitude));
    } else if (value > 0) {
        std::snprintf(text, sizeof text, "+%2u", static_cast<unsigned>(magnitude));
    } else if (value < 0) {
        std::snprintf(text, sizeof text, "-%2u", static_cast<unsigned>(magnitude));
    } else {
        std::snprintf(text, sizeof text, "* 0");
    }
    DrawGlyphs(text, x, y);
}

void SceneView::DrawReadouts() {
    static constexpr char hidden[] = "???";
    const uint8_t infoMode = state_.settings.infoMode;
    for (int32_t c = FirstFieldColumn; c <= LastFieldColumn; ++c) {
        const layout::Point at = layout::Weight(c);
        if (infoMode & 1) {
            DrawNumber(state_.columnWeight[c], at.x, at.y, false);
        } else {
            DrawGlyphs(hidden + 1, at.x, at.y);  // the last two characters: "??"
        }
    }
    for (int32_t c = FirstFieldColumn; c <= LastFieldColumn; c += 2) {
        const layout::Point at = layout::Difference(c);
        if (infoMode & 2) {
            // Both weights as unsigned bytes, subtracted as signed integers: 3 and 10 give -7.
            const int32_t difference = int32_t{state_.columnWeight[c]} - state_.columnWeight[c + 1];
            DrawNumber(difference, at.x, at.y, true);
        } else {
            DrawGlyphs(hidden, at.x, at.y);
        }
    }
}

void SceneView::DrawScore() {
    char text[12];
    std::snprintf(text, sizeof text, "%8u", static_cast<unsigned>(state_.score));
    DrawNumber(state_.level, layout::Level.x, layout::Level.y, false);
    DrawGlyphs(text, layout::Score.x, layout::Score.y);
}
