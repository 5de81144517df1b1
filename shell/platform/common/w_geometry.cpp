// The centring rule of windows and dialogs.
#include "shell/platform/w_geometry.h"

WRect WCentreRect(const WRect& window, const WRect& area, const WRect& workArea) {
    int32_t left = area.x + (area.width - window.width) / 2;
    int32_t top = area.y + (area.height - window.height) / 2;
    // Pulled back so that the right and bottom edges stay inside the work area...
    if (left + window.width > workArea.x + workArea.width) {
        left = workArea.x + workArea.width - window.width;
    }
    if (top + window.height > workArea.y + workArea.height) {
        top = workArea.y + workArea.height - window.height;
    }
    // ...but never past the top-left corner of the screen.
    if (left < 0) {
        left = 0;
    }
    if (top < 0) {
        top = 0;
    }
    return WRect{left, top, window.width, window.height};
}

WBlitPlan WPlanBlit(const WRect& destination, const WRect& source, int32_t bitmapWidth,
                    int32_t bitmapHeight, bool stretch, WBlitRects* rects) {
    const int64_t bw = bitmapWidth;
    const int64_t bh = bitmapHeight;
    WBlitRects r{};
    r.dx = destination.x;
    r.dy = destination.y;
    r.dw = destination.width == 0 ? bw : destination.width;
    r.dh = destination.height == 0 ? bh : destination.height;
    r.sx = source.x;
    r.sy = source.y;
    r.sw = source.width == 0 ? bw : source.width;
    r.sh = source.height == 0 ? bh : source.height;
    *rects = r;
    if (r.dw < 0 || r.dh < 0 || (stretch && (r.sw < 0 || r.sh < 0))) {
        return WBlitPlan::Invalid;
    }
    if (stretch) {
        return (r.dw == 0 || r.dh == 0 || r.sw == 0 || r.sh == 0) ? WBlitPlan::Empty
                                                                  : WBlitPlan::Draw;
    }
    // The source to the bitmap, the destination moving along. Without stretch the source size
    // is not used: the destination's size is copied 1:1.
    if (r.sx < 0) {
        r.dx -= r.sx;
        r.dw += r.sx;
        r.sx = 0;
    }
    if (r.sy < 0) {
        r.dy -= r.sy;
        r.dh += r.sy;
        r.sy = 0;
    }
    if (r.sx + r.dw > bw) {
        r.dw = bw - r.sx;
    }
    if (r.sy + r.dh > bh) {
        r.dh = bh - r.sy;
    }
    r.sw = r.dw;
    r.sh = r.dh;
    *rects = r;
    return (r.dw <= 0 || r.dh <= 0) ? WBlitPlan::Empty : WBlitPlan::Draw;
}
