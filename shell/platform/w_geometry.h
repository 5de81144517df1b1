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
