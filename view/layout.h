// The screen layout: the one place that holds pixel positions, and the geometry of the sheets.
// Everything the game draws lands on a 480 x 336 client area, 1:1 from the sheets.
#pragma once

#include <cstdint>

#include "shell/platform/w_geometry.h"

namespace layout {

// The client area, exactly the size of the background picture.
constexpr int32_t ClientWidth = 480;
constexpr int32_t ClientHeight = 336;

// Tile sheet: 16 tiles of 40 x 16 stacked downwards, tile v at (0, 16v).
constexpr int32_t TileWidth = 40;
constexpr int32_t TileHeight = 16;
constexpr int32_t TileCount = 16;
constexpr int32_t TileSheetWidth = TileWidth;
constexpr int32_t TileSheetHeight = TileHeight * TileCount;
constexpr uint8_t WallCapTile = 15;
constexpr WRect TileSource(uint8_t tile) {
    return {0, TileHeight * tile, TileWidth, TileHeight};
}

// Pan sheet: 5 frames of 80 x 64 side by side; frame f (tilt f - 2) at (80f, 0).
constexpr int32_t PanWidth = 80;
constexpr int32_t PanHeight = 64;
constexpr int32_t PanFrameCount = 5;
constexpr int32_t PanSheetWidth = PanWidth * PanFrameCount;
constexpr int32_t PanSheetHeight = PanHeight;
constexpr int32_t PanFrameForTilt(int32_t tilt) {
    return tilt + 2;
}
constexpr WRect PanSource(int32_t frame) {
    return {PanWidth * frame, 0, PanWidth, PanHeight};
}

// Glyph sheet: 15 glyphs of 10 x 12 side by side, glyph g at (10g, 0).
constexpr int32_t GlyphWidth = 10;
constexpr int32_t GlyphHeight = 12;
constexpr int32_t GlyphCount = 15;
constexpr int32_t GlyphSheetWidth = GlyphWidth * GlyphCount;
constexpr int32_t GlyphSheetHeight = GlyphHeight;
constexpr uint8_t GlyphQuestion = 10;
constexpr uint8_t GlyphPlus = 11;
constexpr uint8_t GlyphMinus = 12;
constexpr uint8_t GlyphPlusMinus = 13;
constexpr uint8_t GlyphBlank = 14;
constexpr WRect GlyphSource(uint8_t glyph) {
    return {GlyphWidth * glyph, 0, GlyphWidth, GlyphHeight};
}

// Banner sheet: image half rows 0..22, mask half rows 23..45, cut in slices 20 pixels wide.
constexpr int32_t BannerSheetWidth = 240;
constexpr int32_t BannerHalfHeight = 23;
constexpr int32_t BannerSheetHeight = 2 * BannerHalfHeight;
constexpr int32_t BannerSliceWidth = 20;
constexpr int32_t BannerSteps = 16;  // steps 0..15; 15..12 lie wholly left of the sheet
constexpr int32_t BannerSliceSourceX(uint8_t step) {
    return 220 - BannerSliceWidth * step;
}
constexpr WRect BannerImageSource(uint8_t step) {
    return {BannerSliceSourceX(step), 0, BannerSliceWidth, BannerHalfHeight};
}
constexpr WRect BannerMaskSource(uint8_t step) {
    return {BannerSliceSourceX(step), BannerHalfHeight, BannerSliceWidth, BannerHalfHeight};
}
constexpr WRect BannerSlice(uint8_t step) {
    return {340 - BannerSliceWidth * step, 106, BannerSliceWidth, BannerHalfHeight};
}

// Background picture: the whole sheet onto the whole client area.
constexpr int32_t BackgroundWidth = ClientWidth;
constexpr int32_t BackgroundHeight = ClientHeight;

// Cells and columns. A column is one tile wide; a tilt of t moves it down by 8t pixels.
constexpr int32_t HalfRowHeight = TileHeight / 2;
constexpr int32_t ColumnX(int32_t column) {
    return 80 + TileWidth * column;
}
constexpr int32_t CellY(int32_t row, int32_t tilt) {
    return TileHeight * row - 32 + HalfRowHeight * tilt;
}
constexpr WRect Cell(int32_t column, int32_t row, int32_t tilt) {
    return {ColumnX(column), CellY(row, tilt), TileWidth, TileHeight};
}
// Where a column's bottom row (16) lies, the start of the bottom-up column redraw.
constexpr int32_t BottomCellY(int32_t tilt) {
    return CellY(16, tilt);
}
// The strip above the well: rows drawn above it are covered by the wall cap at once.
constexpr int32_t WellTop = 16;
constexpr WRect WallCap(int32_t column) {
    return {ColumnX(column), 0, TileWidth, TileHeight};
}

// The falling piece at a column and half-row.
constexpr WRect FallingPiece(int32_t column, int32_t halfRow) {
    return {ColumnX(column), HalfRowHeight * halfRow - 32, TileWidth, TileHeight};
}

// The pan of the scale whose left column is leftColumn (1, 3 or 5).
constexpr WRect Pan(int32_t leftColumn) {
    return {ColumnX(leftColumn), 224, PanWidth, PanHeight};
}

// Preview n (1 or 2) of the coming pieces; the two overlap, the next piece (1) on top.
constexpr int32_t MaxPreviews = 2;
constexpr WRect Preview(int32_t n) {
    return {387 + 13 * n, 22 + 10 * n, TileWidth, TileHeight};
}

// Read-outs, each the top-left of its first glyph.
struct Point {
    int32_t x;
    int32_t y;
};
constexpr Point Level{410, 97};   // 2 glyphs
constexpr Point Score{380, 161};  // 8 glyphs
constexpr Point Weight(int32_t column) {
    return {ColumnX(column), 297};
}  // 2 glyphs
constexpr Point Difference(int32_t leftColumn) {
    return {139 + 40 * (leftColumn - 1), 317};
}  // 3
constexpr int32_t LevelGlyphs = 2;
constexpr int32_t ScoreGlyphs = 8;
constexpr int32_t WeightGlyphs = 2;
constexpr int32_t DifferenceGlyphs = 3;

}  // namespace layout
