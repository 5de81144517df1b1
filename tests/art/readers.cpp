#include "readers.h"

#include <fstream>
#include <iterator>

namespace arttest {

Bytes ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::uint16_t U16(const Bytes& b, std::size_t at) {
    return static_cast<std::uint16_t>(b.at(at) | (b.at(at + 1) << 8));
}

std::uint32_t U32(const Bytes& b, std::size_t at) {
    return static_cast<std::uint32_t>(U16(b, at)) |
           (static_cast<std::uint32_t>(U16(b, at + 2)) << 16);
}

std::optional<Dib> ParseDib(const Bytes& bytes, std::size_t at, bool icon) {
    if (at + 40 > bytes.size()) {
        return std::nullopt;
    }
    Dib d;
    d.headerSize = U32(bytes, at);
    d.width = static_cast<std::int32_t>(U32(bytes, at + 4));
    d.height = static_cast<std::int32_t>(U32(bytes, at + 8));
    d.planes = U16(bytes, at + 12);
    d.bitCount = U16(bytes, at + 14);
    d.compression = U32(bytes, at + 16);
    d.colorsUsed = U32(bytes, at + 32);
    if (d.headerSize != 40 || d.bitCount != 4 || d.compression != 0 || d.width <= 0 ||
        d.height <= 0 || d.width > 4096 || d.height > 4096 || (icon && d.height % 2 != 0)) {
        return std::nullopt;
    }
    const std::size_t colourCount = d.colorsUsed == 0 ? 16 : d.colorsUsed;
    std::size_t p = at + 40;
    if (colourCount > 16 || p + 4 * colourCount > bytes.size()) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < colourCount; ++i, p += 4) {
        d.colours.push_back({bytes[p], bytes[p + 1], bytes[p + 2], bytes[p + 3]});
    }
    d.rows = icon ? d.height / 2 : d.height;
    const std::size_t rowBytes = ((std::size_t(d.width) * 4 + 31) / 32) * 4;
    if (p + rowBytes * std::size_t(d.rows) > bytes.size()) {
        return std::nullopt;
    }
    d.pixels.assign(std::size_t(d.width) * std::size_t(d.rows), 0);
    for (int stored = 0; stored < d.rows; ++stored) {
        const int y = d.rows - 1 - stored;  // bottom-up
        const std::size_t row = p + rowBytes * std::size_t(stored);
        for (std::size_t i = 0; i < rowBytes; ++i) {
            const std::uint8_t byte = bytes[row + i];
            for (int half = 0; half < 2; ++half) {
                const int x = int(i) * 2 + half;
                const std::uint8_t v = half == 0 ? byte >> 4 : byte & 0x0F;
                if (x < d.width) {
                    d.pixels[std::size_t(y) * std::size_t(d.width) + x] = v;
                } else if (v != 0) {
                    d.paddingZero = false;
                }
            }
        }
    }
    d.end = p + rowBytes * std::size_t(d.rows);
    return d;
}

std::optional<BmpFile> ParseBmp(const Bytes& bytes) {
    if (bytes.size() < 14 + 40 || bytes[0] != 'B' || bytes[1] != 'M') {
        return std::nullopt;
    }
    BmpFile f;
    f.fileSize = U32(bytes, 2);
    f.pixelOffset = U32(bytes, 10);
    auto dib = ParseDib(bytes, 14, false);
    if (!dib) {
        return std::nullopt;
    }
    f.dib = std::move(*dib);
    return f;
}

std::optional<std::vector<IconEntry>> ParseIco(const Bytes& bytes) {
    if (bytes.size() < 6 || U16(bytes, 0) != 0 || U16(bytes, 2) != 1) {
        return std::nullopt;
    }
    const int count = U16(bytes, 4);
    std::vector<IconEntry> out;
    for (int i = 0; i < count; ++i) {
        const std::size_t e = 6 + 16 * std::size_t(i);
        if (e + 16 > bytes.size()) {
            return std::nullopt;
        }
        IconEntry entry{bytes[e] == 0 ? 256 : bytes[e],
                        bytes[e + 1] == 0 ? 256 : bytes[e + 1],
                        bytes[e + 2],
                        U16(bytes, e + 4),
                        U16(bytes, e + 6),
                        {},
                        {}};
        const std::size_t size = U32(bytes, e + 8);
        const std::size_t offset = U32(bytes, e + 12);
        if (offset + size > bytes.size()) {
            return std::nullopt;
        }
        auto dib = ParseDib(bytes, offset, true);
        if (!dib) {
            return std::nullopt;
        }
        const std::size_t maskRow = ((std::size_t(dib->width) + 31) / 32) * 4;
        if (dib->end + maskRow * std::size_t(dib->rows) != offset + size) {
            return std::nullopt;  // the AND mask must fill the rest of the image exactly
        }
        entry.transparent.assign(std::size_t(dib->width) * std::size_t(dib->rows), false);
        for (int stored = 0; stored < dib->rows; ++stored) {
            const int y = dib->rows - 1 - stored;
            for (int x = 0; x < dib->width; ++x) {
                const std::uint8_t byte = bytes[dib->end + maskRow * std::size_t(stored) + x / 8];
                entry.transparent[std::size_t(y * dib->width + x)] = (byte >> (7 - x % 8)) & 1;
            }
        }
        entry.dib = std::move(*dib);
        out.push_back(std::move(entry));
    }
    return out;
}

namespace {

bool ReadId(const Bytes& b, std::size_t& p, std::size_t limit, ResId& id) {
    if (p + 2 > limit) {
        return false;
    }
    if (U16(b, p) == 0xFFFF) {
        if (p + 4 > limit) {
            return false;
        }
        id = U16(b, p + 2);
        p += 4;
        return true;
    }
    std::u16string s;
    while (true) {
        if (p + 2 > limit) {
            return false;
        }
        const char16_t c = U16(b, p);
        p += 2;
        if (c == 0) {
            break;
        }
        s.push_back(c);
    }
    id = s;
    return true;
}

}  // namespace

std::optional<std::vector<ResEntry>> ParseRes(const Bytes& bytes) {
    std::vector<ResEntry> out;
    std::size_t p = 0;
    while (p + 8 <= bytes.size()) {
        const std::size_t dataSize = U32(bytes, p);
        const std::size_t headerSize = U32(bytes, p + 4);
        if (headerSize < 24 || p + headerSize + dataSize > bytes.size()) {
            return std::nullopt;
        }
        ResEntry e;
        std::size_t q = p + 8;
        if (!ReadId(bytes, q, p + headerSize, e.type) ||
            !ReadId(bytes, q, p + headerSize, e.name)) {
            return std::nullopt;
        }
        q = (q + 3) & ~std::size_t(3);
        if (q + 16 > p + headerSize) {
            return std::nullopt;
        }
        e.language = U16(bytes, q + 6);
        e.data.assign(bytes.begin() + std::ptrdiff_t(p + headerSize),
                      bytes.begin() + std::ptrdiff_t(p + headerSize + dataSize));
        // The leading empty entry only marks a 32-bit resource file.
        if (!(dataSize == 0 && e.type == ResId(std::uint16_t(0)))) {
            out.push_back(std::move(e));
        }
        p = (p + headerSize + dataSize + 3) & ~std::size_t(3);
    }
    return out;
}

}  // namespace arttest
