// A scene view over a canvas that records every blit, with five distinct (empty) sheets.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/platform/w_graphics.h"
#include "view/layout.h"
#include "view/scene_view.h"

struct BlitRecord {
    const WBitmap* bitmap;
    WRect dst;
    WRect src;
    bool stretch;
    WRop rop;
};

class RecordingCanvas : public WCanvas {
  public:
    std::vector<BlitRecord> blits;
    bool Blit(const WBitmap& bitmap, const WRect& destination, const WRect& source, bool stretch,
              WRop rop) override {
        blits.push_back({&bitmap, destination, source, stretch, rop});
        return true;
    }
    using WCanvas::Blit;
};

struct SceneRig {
    GameState state{};
    WBitmap glyphs, tiles, background, pans, banner;
    RecordingCanvas canvas;
    SceneView view{state, SceneSheets{&glyphs, &tiles, &background, &pans, &banner}, &canvas};

    SceneRig() {
        state.settings = DefaultGameSettings;
        state.level = 1;
        for (int c = 0; c < BoardColumns; ++c) {
            for (int r = 0; r < BoardRows; ++r) {
                const bool wall =
                    c == 0 || c == BoardColumns - 1 || r < FirstFieldRow || r > LastFieldRow;
                state.board[CellIndex(c, r)] = wall ? CellWall : CellEmpty;
            }
        }
    }

    // A blit as text: "glyph 120,297 g14", "tile 120,224 t3", "pan 120,224 f2",
    // "background 0,0,480,336 from 0,0,0,0", "banner 340,106 and 220,23" (and / or / copy for the
    // raster operation; copy is left out). Any size or flag that differs from the sheet's cut
    // is written out, so that the text is the whole blit.
    std::string Describe(const BlitRecord& b) const {
        auto point = [](const WRect& r) { return std::to_string(r.x) + "," + std::to_string(r.y); };
        auto rect = [&](const WRect& r) {
            return point(r) + "," + std::to_string(r.width) + "," + std::to_string(r.height);
        };
        std::string rop = b.rop == WRop::SrcCopy ? "" : b.rop == WRop::SrcAnd ? " and" : " or";
        std::string out;
        if (b.bitmap == &glyphs && b.src.width == 10 && b.src.height == 12 && b.src.y == 0 &&
            b.src.x % 10 == 0 && b.dst.width == 10 && b.dst.height == 12) {
            out = "glyph " + point(b.dst) + " g" + std::to_string(b.src.x / 10);
        } else if (b.bitmap == &tiles && b.src.width == 40 && b.src.height == 16 && b.src.x == 0 &&
                   b.src.y % 16 == 0 && b.dst.width == 40 && b.dst.height == 16) {
            out = "tile " + point(b.dst) + " t" + std::to_string(b.src.y / 16);
        } else if (b.bitmap == &pans && b.src.width == 80 && b.src.height == 64 && b.src.y == 0 &&
                   b.src.x % 80 == 0 && b.dst.width == 80 && b.dst.height == 64) {
            out = "pan " + point(b.dst) + " f" + std::to_string(b.src.x / 80);
        } else if (b.bitmap == &banner && b.dst.width == 20 && b.dst.height == 23 &&
                   b.src.width == 20 && b.src.height == 23) {
            out = "banner " + point(b.dst) + rop + " " + point(b.src);
            rop.clear();
        } else {
            const char* sheet = b.bitmap == &glyphs       ? "glyphs"
                                : b.bitmap == &tiles      ? "tiles"
                                : b.bitmap == &pans       ? "pans"
                                : b.bitmap == &banner     ? "banner"
                                : b.bitmap == &background ? "background"
                                                          : "?";
            out = std::string(sheet) + " " + rect(b.dst) + " from " + rect(b.src);
        }
        return out + rop + (b.stretch ? " stretched" : "");
    }

    std::vector<std::string> Take() {
        std::vector<std::string> out;
        for (const BlitRecord& b : canvas.blits) {
            out.push_back(Describe(b));
        }
        canvas.blits.clear();
        return out;
    }

    // The glyph numbers of the blits so far, checking that they form one string at (x, y).
    std::vector<int> TakeGlyphString(int32_t x, int32_t y) {
        std::vector<int> shown;
        const std::vector<std::string> texts = Take();
        for (size_t i = 0; i < texts.size(); ++i) {
            const std::string prefix =
                "glyph " + std::to_string(x + 10 * int32_t(i)) + "," + std::to_string(y) + " g";
            if (texts[i].rfind(prefix, 0) != 0) {
                ADD_FAILURE() << "blit " << i << " is " << texts[i] << ", wanted " << prefix
                              << "..";
                return {};
            }
            shown.push_back(std::stoi(texts[i].substr(prefix.size())));
        }
        return shown;
    }
};
