// The presentation: turns the game state record into pixels on the window, incrementally and
// straight onto the canvas (there is no picture of the scene kept anywhere else).
#pragma once

#include <cstdint>

#include "engine/game_state.h"
#include "engine/seams.h"
#include "shell/platform/w_geometry.h"
#include "shell/platform/w_graphics.h"

// The five sheets, owned by the window. A null sheet draws nothing.
struct SceneSheets {
    const WBitmap* glyphBitmap = nullptr;
    const WBitmap* tileBitmap = nullptr;
    const WBitmap* backgroundBitmap = nullptr;
    const WBitmap* panBitmap = nullptr;
    const WBitmap* bannerBitmap = nullptr;
};

class SceneView final : public GameDrawing {
  public:
    explicit SceneView(GameState& state, const SceneSheets& sheets = {}, WCanvas* canvas = nullptr);
    ~SceneView() = default;

    // The canvas every blit goes through; null (before the window has one, after it is gone)
    // draws nothing.
    void SetCanvas(WCanvas* canvas) { canvas_ = canvas; }
    WCanvas* Canvas() const { return canvas_; }
    void SetSheets(const SceneSheets& sheets) { sheets_ = sheets; }
    const SceneSheets& Sheets() const { return sheets_; }

    // Glyph strings and read-outs.
    void DrawGlyphs(const char* text, int32_t x, int32_t y);
    void DrawNumber(int32_t value, int32_t x, int32_t y, bool signedForm);
    void DrawReadouts() override;
    void DrawScore();

    // The glyph a character of a read-out text shows; every character outside the table shows
    // the blank glyph.
    static uint8_t GlyphOf(char character);

    // Scene drawing.
    void DrawCell(int32_t x, int32_t y, uint8_t value);
    void DrawPan(uint8_t leftColumn);
    void DrawPreviews() override;
    void DrawBoard() override;
    void DrawBanner(uint8_t step) override;
    void DrawFallingPiece(uint8_t column, uint8_t halfRow, uint8_t tile) override;

    // The paint event: the background over the client rectangle, then every scale.
    void OnPaint(const WRect& clientRect);

  private:
    void Blit(const WBitmap* sheet, const WRect& destination, const WRect& source, WRop rop);
    void DrawScale(uint8_t leftColumn);

    GameState& state_;
    SceneSheets sheets_;
    WCanvas* canvas_;
};
