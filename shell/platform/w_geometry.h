// Rectangles and raster operations.
#pragma once

#include <cstdint>

// x (left), y (top), width, height in pixels.
struct WRect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    bool operator==(const WRect&) const = default;
};

// The GDI raster operations the game uses.
enum class WRop : uint8_t {
    SrcCopy,   // destination = source
    SrcAnd,    // destination = destination AND source
    SrcPaint,  // destination = destination OR source
};

// Where a window of the given outer size goes when centred over an area: the left edge is
// area left + (area width - window width) / 2, the top likewise; then it is moved left or up
// so that its right and bottom edges stay inside the work area, and a left or top below 0
// becomes 0. Answers the new top-left corner (width and height are the window's).
WRect WCentreRect(const WRect& window, const WRect& area, const WRect& workArea);

// A blit's rectangles as every canvas works them out, in 64-bit so that no sum overflows.
struct WBlitRects {
    int64_t dx, dy, dw, dh;  // destination
    int64_t sx, sy, sw, sh;  // source (sw, sh matter only when stretching)
};

enum class WBlitPlan : uint8_t {
    Invalid,  // a negative size: nothing is drawn and the blit fails
    Empty,    // nothing is left to draw: the blit succeeds without drawing
    Draw,     // draw with the rectangles worked out
};

// Replaces a width or height of 0 by the bitmap's own; without stretch, cuts the source to the
// bitmap and moves the destination along with it, so nothing outside the bitmap is read.
// Clipping to the window is the canvas's own business.
WBlitPlan WPlanBlit(const WRect& destination, const WRect& source, int32_t bitmapWidth,
                    int32_t bitmapHeight, bool stretch, WBlitRects* rects);
