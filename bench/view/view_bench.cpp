// The drawing of the game through the software canvas with the real sheets: a full repaint and
// the blits of a typical tick. Each is paired with the bound set by memory bandwidth, a memcpy
// of the same number of pixel bytes, so the ratio of the two shows how close the canvas comes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "engine/game_state.h"
#include "res/resource_ids.h"
#include "shell/platform/soft/soft_surface.h"
#include "view/layout.h"
#include "view/scene_view.h"

namespace {

constexpr int32_t W = layout::ClientWidth;
constexpr int32_t H = layout::ClientHeight;

struct Scene {
    std::vector<uint8_t> pixels = std::vector<uint8_t>(size_t{W} * H * 3, 0);
    SoftSurface surface{W, H, pixels.data()};
    SoftCanvas canvas{surface};
    WBitmap glyphs, tiles, background, pans, banner;
    GameState state{};
    SceneView view{state, SceneSheets{&glyphs, &tiles, &background, &pans, &banner}, &canvas};

    Scene() {
        glyphs.Load(ID_Bitmap_Glyphs);
        tiles.Load(ID_Bitmap_Tiles);
        background.Load(ID_Bitmap_Background);
        pans.Load(ID_Bitmap_Pans);
        banner.Load(ID_Bitmap_Banner);
        state.settings = DefaultGameSettings;
        state.level = 12;
        state.score = 1234567;
        state.pieceQueue[0] = 3;
        state.pieceQueue[1] = 5;
        state.pieceQueue[2] = 6;
        // A full field: every cell a piece or a stone, the scales tilted as they come.
        for (int c = FirstFieldColumn; c <= LastFieldColumn; ++c) {
            for (int r = FirstFieldRow; r <= LastFieldRow; ++r) {
                state.board[CellIndex(c, r)] = static_cast<uint8_t>(1 + (c * 5 + r * 3) % 7);
            }
            state.columnWeight[c] = static_cast<uint8_t>(40 + c);
        }
        const int8_t tilts[3] = {-2, 1, 0};
        for (int i = 0; i < 3; ++i) {
            state.columnTilt[1 + 2 * i] = tilts[i];
            state.columnTilt[2 + 2 * i] = static_cast<int8_t>(-tilts[i]);
        }
    }
};

// The pixels a blit of these many sheet pixels writes (cells 40 x 16, glyphs 10 x 12, pans
// 80 x 64); clipped parts of cells above the window are counted too, a small overestimate.
constexpr int64_t CellPixels = 40 * 16;
constexpr int64_t GlyphPixels = 10 * 12;
constexpr int64_t PanPixels = 80 * 64;
constexpr int64_t NumberBlits = 21 + 10 + 21;
// OnPaint: the background, then DrawBoard of all three scales: 90 cells plus the caps (tilts
// -2 / 2 give 2 caps on one column, 1 / -1 give 1 and 2, level columns 1 each: 8 in all).
constexpr int64_t RepaintPixels = int64_t{W} * H + NumberBlits * GlyphPixels + 2 * CellPixels +
                                  3 * PanPixels + (90 + 8) * CellPixels;
// A fall step that moves: the piece drawn, erased and drawn again.
constexpr int64_t MovePixels = 3 * CellPixels;
// DrawBoard with one scale flagged (level: 30 cells and 2 caps).
constexpr int64_t OneScalePixels =
    NumberBlits * GlyphPixels + 2 * CellPixels + PanPixels + 32 * CellPixels;

void MemcpyBound(benchmark::State& st, int64_t pixels) {
    std::vector<uint8_t> from(size_t(pixels) * 3, 0x5A);
    std::vector<uint8_t> to(size_t(pixels) * 3, 0);
    for (auto _ : st) {
        std::memcpy(to.data(), from.data(), to.size());
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    st.SetBytesProcessed(st.iterations() * pixels * 3);
}

void BM_FullRepaint(benchmark::State& st) {
    Scene scene;
    for (auto _ : st) {
        scene.view.OnPaint(WRect{0, 0, W, H});
        benchmark::ClobberMemory();
    }
    st.SetBytesProcessed(st.iterations() * RepaintPixels * 3);
}
BENCHMARK(BM_FullRepaint);

void BM_FullRepaintMemcpyBound(benchmark::State& st) {
    MemcpyBound(st, RepaintPixels);
}
BENCHMARK(BM_FullRepaintMemcpyBound);

void BM_FallStepMove(benchmark::State& st) {
    Scene scene;
    for (auto _ : st) {
        scene.view.DrawFallingPiece(3, 20, 3);
        scene.view.DrawFallingPiece(3, 20, 0);
        scene.view.DrawFallingPiece(4, 20, 3);
        benchmark::ClobberMemory();
    }
    st.SetBytesProcessed(st.iterations() * MovePixels * 3);
}
BENCHMARK(BM_FallStepMove);

void BM_FallStepMoveMemcpyBound(benchmark::State& st) {
    MemcpyBound(st, MovePixels);
}
BENCHMARK(BM_FallStepMoveMemcpyBound);

void BM_DrawBoardOneScale(benchmark::State& st) {
    Scene scene;
    for (auto _ : st) {
        scene.state.columnDirty[5] = 1;
        scene.view.DrawBoard();
        benchmark::ClobberMemory();
    }
    st.SetBytesProcessed(st.iterations() * OneScalePixels * 3);
}
BENCHMARK(BM_DrawBoardOneScale);

void BM_DrawBoardOneScaleMemcpyBound(benchmark::State& st) {
    MemcpyBound(st, OneScalePixels);
}
BENCHMARK(BM_DrawBoardOneScaleMemcpyBound);

}  // namespace

BENCHMARK_MAIN();
