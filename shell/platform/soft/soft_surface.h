// The software canvas shared by the backends that have no GDI: a 24-bit RGB frame per window,
// blitted into exactly as GDI blits 24-bit bitmaps with SRCCOPY, SRCAND and SRCPAINT.
#pragma once

#include <cstdint>

#include "shell/platform/w_geometry.h"
#include "shell/platform/w_graphics.h"

class WWindow;

// A frame of width x height pixels, 3 bytes each (red, green, blue), rows top-down, unpadded.
struct SoftSurface {
    int32_t width = 0;
    int32_t height = 0;
    uint8_t* rgb = nullptr;
};

// Provided by the backend: the frame of the window's client area, or null.
SoftSurface* SoftWindowSurface(WWindow& window);
// Provided by the backend: the pixels in area (already clipped to the frame) changed.
void SoftWindowChanged(WWindow& window, const WRect& area);

// Copies a rectangle of the bitmap onto the surface with the raster operation.
// - A width or height of 0 in either rectangle stands for the bitmap's own.
// - Without stretch the destination's position and size and the source's position are used;
//   the source size is not. With stretch the source rectangle is scaled onto the destination
//   (nearest neighbour).
// - The source is clipped to the bitmap, the destination moving by the same amount, and the
//   destination to the surface: nothing outside either is ever read or written.
// - Answers false for an empty bitmap or surface or a negative size; a blit clipped to nothing
//   still answers true. When changed is not null it receives the rectangle written (width 0
//   when nothing was).
bool SoftBlit(SoftSurface& target, const WBitmap& bitmap, const WRect& dst, const WRect& src,
              bool stretch, WRop rop);
bool SoftBlit(SoftSurface& target, const WBitmap& bitmap, const WRect& dst, const WRect& src,
              bool stretch, WRop rop, WRect* changed);

// The 32 x 32 image (or the largest) of a loaded icon, RGBA, rows top-down.
bool SoftIconPixels(const WIcon& icon, int32_t* width, int32_t* height, const uint8_t** rgba);

// Writes the surface as a binary PPM (P6, maxval 255). Answers whether it was written.
bool WriteSurfacePpm(const SoftSurface& surface, const char* path);

// A canvas straight onto a surface (tests, tools).
class SoftCanvas : public WCanvas {
  public:
    explicit SoftCanvas(SoftSurface& surface) : surface_(surface) {}

    bool Blit(const WBitmap& bitmap, const WRect& destination, const WRect& source, bool stretch,
              WRop rop) override;
    using WCanvas::Blit;

    SoftSurface& Surface() const { return surface_; }

  private:
    SoftSurface& surface_;
};
