// The blit of the software canvas: GDI's SRCCOPY, SRCAND and SRCPAINT on 24-bit RGB, with the
// rectangle rules of the canvas and clipping on every side of both the bitmap and the surface.
#include <cstdio>
#include <cstring>

#include "shell/platform/soft/soft_resources.h"
#include "shell/platform/soft/soft_surface.h"

namespace {

void ApplyRow(uint8_t* to, const uint8_t* from, size_t bytes, WRop rop) {
    switch (rop) {
        case WRop::SrcCopy:
            std::memcpy(to, from, bytes);
            break;
        case WRop::SrcAnd:
            for (size_t i = 0; i < bytes; ++i) {
                to[i] &= from[i];
            }
            break;
        case WRop::SrcPaint:
            for (size_t i = 0; i < bytes; ++i) {
                to[i] |= from[i];
            }
            break;
    }
}

void ApplyPixel(uint8_t* to, const uint8_t* from, WRop rop) {
    ApplyRow(to, from, 3, rop);
}

}  // namespace

bool SoftBlit(SoftSurface& target, const WBitmap& bitmap, const WRect& dst, const WRect& src,
              bool stretch, WRop rop) {
    return SoftBlit(target, bitmap, dst, src, stretch, rop, nullptr);
}

bool SoftBlit(SoftSurface& target, const WBitmap& bitmap, const WRect& dst, const WRect& src,
              bool stretch, WRop rop, WRect* changed) {
    if (changed != nullptr) {
        *changed = WRect{};
    }
    const DibPixels& image = SoftBitmapPixels(bitmap);
    if (image.width <= 0 || image.height <= 0 || image.channels != 3 || target.rgb == nullptr ||
        target.width <= 0 || target.height <= 0) {
        return false;
    }
    const int64_t bw = image.width;
    const int64_t bh = image.height;
    const int64_t tw = target.width;
    const int64_t th = target.height;
    WBlitRects r{};
    const WBlitPlan plan = WPlanBlit(dst, src, image.width, image.height, stretch, &r);
    if (plan == WBlitPlan::Invalid) {
        return false;
    }
    if (plan == WBlitPlan::Empty) {
        return true;
    }
    int64_t dx = r.dx;
    int64_t dy = r.dy;
    const int64_t dw = r.dw;
    const int64_t dh = r.dh;
    int64_t sx = r.sx;
    int64_t sy = r.sy;
    const int64_t sw = r.sw;
    const int64_t sh = r.sh;
    const size_t targetStride = static_cast<size_t>(tw) * 3;
    const size_t imageStride = static_cast<size_t>(bw) * 3;

    if (!stretch) {
        int64_t w = dw;
        int64_t h = dh;
        // The destination to the surface, the source moving along.
        if (dx < 0) {
            sx -= dx;
            w += dx;
            dx = 0;
        }
        if (dy < 0) {
            sy -= dy;
            h += dy;
            dy = 0;
        }
        if (dx + w > tw) {
            w = tw - dx;
        }
        if (dy + h > th) {
            h = th - dy;
        }
        if (w <= 0 || h <= 0) {
            return true;  // clipped to nothing
        }
        const size_t bytes = static_cast<size_t>(w) * 3;
        for (int64_t row = 0; row < h; ++row) {
            uint8_t* to = target.rgb + static_cast<size_t>(dy + row) * targetStride +
                          static_cast<size_t>(dx) * 3;
            const uint8_t* from = image.pixels.data() +
                                  static_cast<size_t>(sy + row) * imageStride +
                                  static_cast<size_t>(sx) * 3;
            ApplyRow(to, from, bytes, rop);
        }
        if (changed != nullptr) {
            *changed = WRect{static_cast<int32_t>(dx), static_cast<int32_t>(dy),
                             static_cast<int32_t>(w), static_cast<int32_t>(h)};
        }
        return true;
    }

    // Stretch: destination pixel (x, y) takes source pixel
    // (sx + (x - dx) * sw / dw, sy + (y - dy) * sh / dh), rounded down; a destination pixel
    // whose source lies outside the bitmap is left alone.
    const int64_t x0 = dx < 0 ? 0 : dx;
    const int64_t y0 = dy < 0 ? 0 : dy;
    const int64_t x1 = dx + dw < tw ? dx + dw : tw;
    const int64_t y1 = dy + dh < th ? dy + dh : th;
    int64_t minX = tw, minY = th, maxX = -1, maxY = -1;
    for (int64_t y = y0; y < y1; ++y) {
        const int64_t fromY = sy + (y - dy) * sh / dh;
        if (fromY < 0 || fromY >= bh) {
            continue;
        }
        for (int64_t x = x0; x < x1; ++x) {
            const int64_t fromX = sx + (x - dx) * sw / dw;
            if (fromX < 0 || fromX >= bw) {
                continue;
            }
            ApplyPixel(
                target.rgb + static_cast<size_t>(y) * targetStride + static_cast<size_t>(x) * 3,
                image.pixels.data() + static_cast<size_t>(fromY) * imageStride +
                    static_cast<size_t>(fromX) * 3,
                rop);
            minX = x < minX ? x : minX;
            maxX = x > maxX ? x : maxX;
            minY = y < minY ? y : minY;
            maxY = y > maxY ? y : maxY;
        }
    }
    if (changed != nullptr && maxX >= 0) {
        *changed =
            WRect{static_cast<int32_t>(minX), static_cast<int32_t>(minY),
                  static_cast<int32_t>(maxX - minX + 1), static_cast<int32_t>(maxY - minY + 1)};
    }
    return true;
}

bool SoftCanvas::Blit(const WBitmap& bitmap, const WRect& destination, const WRect& source,
                      bool stretch, WRop rop) {
    return SoftBlit(surface_, bitmap, destination, source, stretch, rop);
}

bool WriteSurfacePpm(const SoftSurface& surface, const char* path) {
    if (path == nullptr || surface.rgb == nullptr || surface.width <= 0 || surface.height <= 0) {
        return false;
    }
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr) {
        return false;
    }
    const size_t bytes =
        static_cast<size_t>(surface.width) * static_cast<size_t>(surface.height) * 3;
    bool ok = std::fprintf(file, "P6\n%d %d\n255\n", static_cast<int>(surface.width),
                           static_cast<int>(surface.height)) > 0;
    ok = ok && std::fwrite(surface.rgb, 1, bytes, file) == bytes;
    ok = std::fclose(file) == 0 && ok;
    return ok;
}
