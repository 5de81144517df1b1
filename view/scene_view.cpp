// Scene drawing: cells, tilted columns with their wall caps, pans, previews, the game-over
// banner and the paint handler. The order of the blits is the order of the layers.
#include "view/scene_view.h"

#include "view/layout.h"

SceneView::SceneView(GameState& state, const SceneSheets& sheets, WCanvas* canvas)
    : state_(state), sheets_(sheets), canvas_(canvas) {}

void SceneView::Blit(const WBitmap* sheet, const WRect& destination, const WRect& source,
                     WRop rop) {
    if (canvas_ == nullptr || sheet == nullptr) {
        return;
    }
    // Nothing is reported: the result of every blit is dropped and drawing goes on.
    (void)canvas_->Blit(*sheet, destination, source, false, rop);
}

void SceneView::DrawCell(int32_t x, int32_t y, uint8_t value) {
    if (value >= layout::TileCount) {
        return;  // no tile: the sheet ends after tile 15
    }
    Blit(sheets_.tileBitmap, WRect{x, y, layout::TileWidth, layout::TileHeight},
         layout::TileSource(value), WRop::SrcCopy);
}

void SceneView::DrawFallingPiece(uint8_t column, uint8_t halfRow, uint8_t tile) {
    const WRect at = layout::FallingPiece(column, halfRow);
    DrawCell(at.x, at.y, tile);
}

void SceneView::DrawPan(uint8_t leftColumn) {
    const int32_t tilt = state_.columnTilt[leftColumn];
    // A tilt beyond 2 only appears on the last board of a game lost by over-tilt; the pan then
    // shows the frame of the nearest extreme, so that the sheet is never read beyond its frames.
    int32_t frame = layout::PanFrameForTilt(tilt);
    if (frame < 0) {
        frame = 0;
    } else if (frame >= layout::PanFrameCount) {
        frame = layout::PanFrameCount - 1;
    }
    Blit(sheets_.panBitmap, layout::Pan(leftColumn), layout::PanSource(frame), WRop::SrcCopy);
}

void SceneView::DrawPreviews() {
    int32_t count = state_.settings.previewCount;
    if (count > layout::MaxPreviews) {
        count = layout::MaxPreviews;  // the queue holds two coming pieces
    }
    // The farther piece first, so that the next piece lies on top where they overlap.
    for (int32_t n = count; n >= 1; --n) {
        const WRect at = layout::Preview(n);
        DrawCell(at.x, at.y, state_.pieceQueue[n]);
    }
}

void SceneView::DrawScale(uint8_t leftColumn) {
    if (state_.settings.showPans != 0) {
        DrawPan(leftColumn);
    }
    for (int32_t column = leftColumn; column <= leftColumn + 1; ++column) {
        const int32_t x = layout::ColumnX(column);
        int32_t y = layout::BottomCellY(state_.columnTilt[column]);
        for (int32_t row = LastFieldRow; row >= FirstFieldRow; --row) {
            DrawCell(x, y, state_.board[CellIndex(column, row)]);
            if (y < layout::WellTop) {
                // A row above the well is covered at once: the strip above a column always
                // shows the brick of the wall cap.
                const WRect cap = layout::WallCap(column);
                DrawCell(cap.x, cap.y, layout::WallCapTile);
            }
            y -= layout::TileHeight;
        }
    }
}

void SceneView::DrawBoard() {
    DrawReadouts();
    DrawPreviews();
    DrawScore();
    for (uint8_t c = FirstFieldColumn; c <= LastFieldColumn; c += 2) {
        if (state_.columnDirty[c] == 0 && state_.columnDirty[c + 1] == 0) {
            continue;
        }
        state_.columnDirty[c] = 0;
        state_.columnDirty[c + 1] = 0;
        DrawScale(c);
    }
    // A column pushed down far enough by an extreme tilt covers the read-outs; draw them again
    // on top. With every read-out hidden the cells stay over them (kept on purpose).
    if (state_.settings.infoMode != 0) {
        DrawReadouts();
    }
}

void SceneView::DrawBanner(uint8_t step) {
    // The rectangles go to the canvas unchanged; steps 15 to 12 lie wholly left of the sheet,
    // and the canvas clips them to nothing. Step 11 is the outline's black leftmost column only,
    // invisible over the black well (kept on purpose).
    const WRect at = layout::BannerSlice(step);
    Blit(sheets_.bannerBitmap, at, layout::BannerMaskSource(step), WRop::SrcAnd);
    Blit(sheets_.bannerBitmap, at, layout::BannerImageSource(step), WRop::SrcPaint);
}

void SceneView::OnPaint(const WRect& clientRect) {
    // The paint erases the falling piece until the next fall tick and the banner for good:
    // neither is drawn here (kept on purpose).
    Blit(sheets_.backgroundBitmap, clientRect, WRect{}, WRop::SrcCopy);
    state_.columnDirty[1] = 1;
    state_.columnDirty[3] = 1;
    state_.columnDirty[5] = 1;
    DrawBoard();
}
