// Decoding of device-independent bitmaps, strictly bounds-checked (this code reads resource
// bytes and is fuzzed).
#include "shell/platform/resfile/dib_image.h"

namespace {

constexpr uint32_t InfoHeaderSize = 40;
constexpr uint32_t BiRgb = 0;

uint32_t ReadU32(const uint8_t* p) {
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}
uint16_t ReadU16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

struct Rgb {
    uint8_t r, g, b;
};

// The header, the colour table and where the rows begin, all checked against the bytes.
struct DibLayout {
    int32_t width = 0;
    int32_t height = 0;  // of the colour image (for an icon, half the header's)
    bool topDown = false;
    uint32_t bitCount = 0;
    uint32_t colours = 0;  // colour table entries
    const uint8_t* table = nullptr;
    const uint8_t* bits = nullptr;
    size_t stride = 0;     // bytes per row, padded to 4
    size_t available = 0;  // bytes from bits to the end of the data
};

size_t Stride(int64_t width, uint32_t bitCount) {
    return static_cast<size_t>(((width * bitCount + 31) / 32) * 4);
}

bool ReadLayout(const uint8_t* data, size_t size, bool icon, DibLayout* layout) {
    if (data == nullptr || size < InfoHeaderSize) {
        return false;
    }
    const uint32_t headerSize = ReadU32(data);
    if (headerSize < InfoHeaderSize || headerSize > size) {
        return false;
    }
    const int32_t width = static_cast<int32_t>(ReadU32(data + 4));
    int64_t height = static_cast<int32_t>(ReadU32(data + 8));
    const uint16_t planes = ReadU16(data + 12);
    const uint16_t bitCount = ReadU16(data + 14);
    const uint32_t compression = ReadU32(data + 16);
    const uint32_t coloursUsed = ReadU32(data + 32);
    if (planes != 1 || compression != BiRgb) {
        return false;
    }
    bool topDown = false;
    if (icon) {
        // The header counts the colour image and the mask together; icons are bottom-up.
        if (height <= 0 || height % 2 != 0) {
            return false;
        }
        height /= 2;
    } else if (height < 0) {
        topDown = true;
        height = -height;
    }
    if (width <= 0 || height <= 0 || width > DibMaxSide || height > DibMaxSide ||
        int64_t{width} * height > DibMaxPixels) {
        return false;
    }
    const bool paletted = bitCount == 1 || bitCount == 4 || bitCount == 8;
    const bool direct = bitCount == 24 || bitCount == 32 || (bitCount == 16 && !icon);
    if (!paletted && !direct) {
        return false;
    }
    uint32_t colours = 0;
    if (paletted) {
        const uint32_t most = 1u << bitCount;
        colours = coloursUsed == 0 ? most : coloursUsed;
        if (colours > most) {
            return false;
        }
    } else if (coloursUsed > 256) {
        return false;  // an optional table ahead of direct colour, skipped but bounded
    } else {
        colours = coloursUsed;
    }
    const size_t tableBytes = size_t{colours} * 4;
    if (tableBytes > size - headerSize) {
        return false;
    }
    layout->width = width;
    layout->height = static_cast<int32_t>(height);
    layout->topDown = topDown;
    layout->bitCount = bitCount;
    layout->colours = paletted ? colours : 0;
    layout->table = data + headerSize;
    layout->bits = data + headerSize + tableBytes;
    layout->available = size - headerSize - tableBytes;
    layout->stride = Stride(width, bitCount);
    if (layout->stride * static_cast<size_t>(height) > layout->available) {
        return false;
    }
    return true;
}

// The colour of pixel x of a row of the colour image, and its alpha byte for 32 bits.
Rgb PixelAt(const DibLayout& layout, const uint8_t* row, int32_t x, uint8_t* alpha) {
    *alpha = 0;
    uint32_t index = 0;
    switch (layout.bitCount) {
        case 1:
            index = (row[x >> 3] >> (7 - (x & 7))) & 1u;
            break;
        case 4:
            index = (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xFu;  // high nibble first
            break;
        case 8:
            index = row[x];
            break;
        case 16: {
            const uint16_t v = ReadU16(row + 2 * x);
            const auto expand = [](uint32_t five) {
                return static_cast<uint8_t>(five << 3 | five >> 2);
            };
            return Rgb{expand(v >> 10 & 31u), expand(v >> 5 & 31u), expand(v & 31u)};
        }
        case 24: {
            const uint8_t* p = row + 3 * x;
            return Rgb{p[2], p[1], p[0]};
        }
        default: {
            const uint8_t* p = row + 4 * x;
            *alpha = p[3];
            return Rgb{p[2], p[1], p[0]};
        }
    }
    if (index >= layout.colours) {
        return Rgb{0, 0, 0};
    }
    const uint8_t* entry = layout.table + 4 * index;  // blue, green, red, reserved
    return Rgb{entry[2], entry[1], entry[0]};
}

const uint8_t* RowAt(const DibLayout& layout, int32_t y) {
    const int32_t stored = layout.topDown ? y : layout.height - 1 - y;
    return layout.bits + layout.stride * static_cast<size_t>(stored);
}

}  // namespace

bool DecodeDib(const uint8_t* data, size_t size, DibPixels* out) {
    *out = DibPixels{};
    DibLayout layout;
    if (!ReadLayout(data, size, false, &layout)) {
        return false;
    }
    std::vector<uint8_t> pixels(static_cast<size_t>(layout.width) * layout.height * 3);
    uint8_t* to = pixels.data();
    for (int32_t y = 0; y < layout.height; ++y) {
        const uint8_t* row = RowAt(layout, y);
        for (int32_t x = 0; x < layout.width; ++x) {
            uint8_t alpha;
            const Rgb c = PixelAt(layout, row, x, &alpha);
            *to++ = c.r;
            *to++ = c.g;
            *to++ = c.b;
        }
    }
    out->width = layout.width;
    out->height = layout.height;
    out->channels = 3;
    out->pixels = std::move(pixels);
    return true;
}

bool DecodeIconDib(const uint8_t* data, size_t size, DibPixels* out) {
    *out = DibPixels{};
    DibLayout layout;
    if (!ReadLayout(data, size, true, &layout)) {
        return false;
    }
    const size_t colourBytes = layout.stride * static_cast<size_t>(layout.height);
    const size_t maskStride = Stride(layout.width, 1);
    const uint8_t* mask = layout.bits + colourBytes;
    if (maskStride * static_cast<size_t>(layout.height) > layout.available - colourBytes) {
        return false;
    }
    std::vector<uint8_t> pixels(static_cast<size_t>(layout.width) * layout.height * 4);
    bool anyAlpha = false;
    uint8_t* to = pixels.data();
    for (int32_t y = 0; y < layout.height; ++y) {
        const uint8_t* row = RowAt(layout, y);
        const uint8_t* maskRow = mask + maskStride * static_cast<size_t>(layout.height - 1 - y);
        for (int32_t x = 0; x < layout.width; ++x) {
            uint8_t alpha;
            const Rgb c = PixelAt(layout, row, x, &alpha);
            const bool transparent = (maskRow[x >> 3] >> (7 - (x & 7))) & 1u;
            anyAlpha = anyAlpha || (layout.bitCount == 32 && alpha != 0);
            *to++ = c.r;
            *to++ = c.g;
            *to++ = c.b;
            *to++ = layout.bitCount == 32 ? alpha : (transparent ? 0 : 255);
        }
    }
    if (layout.bitCount == 32 && !anyAlpha) {
        // A 32-bit image without alpha: the mask decides, as for the other depths.
        for (int32_t y = 0; y < layout.height; ++y) {
            const uint8_t* maskRow = mask + maskStride * static_cast<size_t>(layout.height - 1 - y);
            for (int32_t x = 0; x < layout.width; ++x) {
                const bool transparent = (maskRow[x >> 3] >> (7 - (x & 7))) & 1u;
                pixels[(static_cast<size_t>(y) * layout.width + x) * 4 + 3] = transparent ? 0 : 255;
            }
        }
    }
    out->width = layout.width;
    out->height = layout.height;
    out->channels = 4;
    out->pixels = std::move(pixels);
    return true;
}
