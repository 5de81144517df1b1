// Device-independent bitmaps as stored in bitmap and icon resources: a BITMAPINFOHEADER (or a
// later, longer header), the colour table, then the pixel rows, with no file header in front.
// Decoded into plain pixel arrays, rows top-down. Every size field is checked against the bytes;
// a malformed bitmap decodes to nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct DibPixels {
    int32_t width = 0;
    int32_t height = 0;
    int32_t channels = 0;         // 3: RGB, 4: RGBA
    std::vector<uint8_t> pixels;  // width * height * channels bytes, rows top-down
};

// The largest picture decoded, on each side and in all.
constexpr int32_t DibMaxSide = 8192;
constexpr int64_t DibMaxPixels = int64_t{1} << 24;

// A bitmap resource: 1, 4, 8, 16 (5-5-5), 24 or 32 bits per pixel, uncompressed (BI_RGB), rows
// bottom-up (positive height) or top-down (negative height). Into RGB. Pixel indices beyond the
// colour table show black.
bool DecodeDib(const uint8_t* data, size_t size, DibPixels* out);

// An icon image (RT_ICON): the same header with the height doubled, the colour image (1, 4, 8,
// 24 or 32 bits per pixel), then the 1-bit AND mask, rows bottom-up. Into RGBA: the mask's set
// bits are transparent; a 32-bit image with any nonzero alpha uses its own alpha instead.
bool DecodeIconDib(const uint8_t* data, size_t size, DibPixels* out);
