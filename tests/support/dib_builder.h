// Small device-independent bitmaps made in memory, byte for byte as a resource holds them.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace testdib {

inline void PutU32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        out[at + i] = static_cast<uint8_t>(v >> (8 * i));
    }
}
inline void PutU16(std::vector<uint8_t>& out, size_t at, uint16_t v) {
    out[at] = static_cast<uint8_t>(v);
    out[at + 1] = static_cast<uint8_t>(v >> 8);
}

struct Image {
    int32_t width = 0;
    int32_t height = 0;  // of the picture; the header gets -height for top-down, 2x for icons
    uint16_t bitCount = 24;
    std::vector<uint32_t> palette;  // 0xRRGGBB
    std::vector<uint32_t> pixels;   // top-down: palette indices, or 0xRRGGBB (0xAARRGGBB for 32)
    bool topDown = false;
    std::vector<uint8_t> mask;  // icons: 1 = transparent, top-down, one per pixel
    bool icon = false;
};

// A picture without a mask, rows bottom-up unless turned.
inline Image Picture(int32_t width, int32_t height, uint16_t bitCount,
                     std::vector<uint32_t> palette, std::vector<uint32_t> pixels) {
    Image s;
    s.width = width;
    s.height = height;
    s.bitCount = bitCount;
    s.palette = std::move(palette);
    s.pixels = std::move(pixels);
    return s;
}

inline size_t Stride(int32_t width, int bits) {
    return ((size_t(width) * bits + 31) / 32) * 4;
}

inline std::vector<uint8_t> Make(const Image& s) {
    const size_t header = 40;
    const size_t table = s.palette.size() * 4;
    const size_t stride = Stride(s.width, s.bitCount);
    const size_t maskStride = Stride(s.width, 1);
    const size_t bits = stride * s.height + (s.icon ? maskStride * s.height : 0);
    std::vector<uint8_t> out(header + table + bits, 0);
    PutU32(out, 0, 40);
    PutU32(out, 4, static_cast<uint32_t>(s.width));
    int32_t h = s.icon ? 2 * s.height : (s.topDown ? -s.height : s.height);
    PutU32(out, 8, static_cast<uint32_t>(h));
    PutU16(out, 12, 1);
    PutU16(out, 14, s.bitCount);
    PutU32(out, 20, static_cast<uint32_t>(bits));
    // A full table is written as 0 (all the depth allows), a shorter one by its count.
    const bool fullTable = s.bitCount <= 8 && s.palette.size() == (size_t{1} << s.bitCount);
    PutU32(out, 32, static_cast<uint32_t>(fullTable ? 0 : s.palette.size()));
    for (size_t i = 0; i < s.palette.size(); ++i) {
        out[header + 4 * i] = static_cast<uint8_t>(s.palette[i]);
        out[header + 4 * i + 1] = static_cast<uint8_t>(s.palette[i] >> 8);
        out[header + 4 * i + 2] = static_cast<uint8_t>(s.palette[i] >> 16);
    }
    const size_t base = header + table;
    for (int32_t y = 0; y < s.height; ++y) {
        const int32_t stored = (s.topDown && !s.icon) ? y : s.height - 1 - y;
        uint8_t* row = out.data() + base + stride * stored;
        for (int32_t x = 0; x < s.width; ++x) {
            const uint32_t v = s.pixels[size_t(y) * s.width + x];
            switch (s.bitCount) {
                case 1:
                    row[x / 8] |= static_cast<uint8_t>((v & 1) << (7 - x % 8));
                    break;
                case 4:
                    row[x / 2] |= static_cast<uint8_t>((v & 15) << (x % 2 ? 0 : 4));
                    break;
                case 8:
                    row[x] = static_cast<uint8_t>(v);
                    break;
                case 16:
                    row[2 * x] = static_cast<uint8_t>(v);
                    row[2 * x + 1] = static_cast<uint8_t>(v >> 8);
                    break;
                case 24:
                    row[3 * x] = static_cast<uint8_t>(v);
                    row[3 * x + 1] = static_cast<uint8_t>(v >> 8);
                    row[3 * x + 2] = static_cast<uint8_t>(v >> 16);
                    break;
                case 32:
                    row[4 * x] = static_cast<uint8_t>(v);
                    row[4 * x + 1] = static_cast<uint8_t>(v >> 8);
                    row[4 * x + 2] = static_cast<uint8_t>(v >> 16);
                    row[4 * x + 3] = static_cast<uint8_t>(v >> 24);
                    break;
            }
        }
        if (s.icon && !s.mask.empty()) {
            uint8_t* maskRow =
                out.data() + base + stride * s.height + maskStride * (s.height - 1 - y);
            for (int32_t x = 0; x < s.width; ++x) {
                maskRow[x / 8] |=
                    static_cast<uint8_t>((s.mask[size_t(y) * s.width + x] & 1) << (7 - x % 8));
            }
        }
    }
    return out;
}

// A 24-bit bitmap whose every pixel is its own colour: red = x * 16 + 1, green = y * 16 + 1,
// blue = tag, so that any pixel on a surface tells where it came from.
inline std::vector<uint8_t> Coordinates(int32_t width, int32_t height, uint8_t tag) {
    Image s;
    s.width = width;
    s.height = height;
    s.bitCount = 24;
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            s.pixels.push_back(uint32_t(x * 16 + 1) << 16 | uint32_t(y * 16 + 1) << 8 | tag);
        }
    }
    return Make(s);
}

}  // namespace testdib
