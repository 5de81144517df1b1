// Small readers for the committed art files: 4-bit BMP files, icon files and the compiled
// resource file. Each parses with bounds checks and reports what it found; the tests judge it.
#ifndef VANTOREL_TESTS_ART_READERS_H
#define VANTOREL_TESTS_ART_READERS_H

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace arttest {

using Bytes = std::vector<std::uint8_t>;
Bytes ReadFileBytes(const std::string& path);

std::uint16_t U16(const Bytes& b, std::size_t at);
std::uint32_t U32(const Bytes& b, std::size_t at);

struct RgbQuad {
    std::uint8_t b, g, r, reserved;
    bool operator==(const RgbQuad&) const = default;
};

// A 4-bit DIB: header fields as stored, the colour table and the pixels as indices (row 0 at
// the top, whatever the storage order).
struct Dib {
    std::uint32_t headerSize = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;  // as stored: positive means bottom-up rows
    std::uint16_t planes = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0;
    std::vector<RgbQuad> colours;
    int rows = 0;  // picture rows (for an icon, half the stored height)
    std::vector<std::uint8_t> pixels;
    bool paddingZero = true;  // every padding bit of every row is 0
    std::size_t end = 0;      // offset just past the colour rows

    std::uint8_t At(int x, int y) const { return pixels[std::size_t(y) * std::size_t(width) + x]; }
};

// Parses a DIB (BITMAPINFOHEADER onwards) at `at`; rows = height, or height / 2 for an icon.
// Answers nothing when the data is not a 4-bit uncompressed DIB that fits in the bytes.
std::optional<Dib> ParseDib(const Bytes& bytes, std::size_t at, bool icon);

struct BmpFile {
    std::uint32_t fileSize = 0;  // as stored in the file header
    std::uint32_t pixelOffset = 0;
    Dib dib;
};
std::optional<BmpFile> ParseBmp(const Bytes& bytes);

struct IconEntry {
    int width, height, colourCount, planes, bitCount;
    Dib dib;
    std::vector<bool> transparent;  // the AND mask, row 0 at the top
};
std::optional<std::vector<IconEntry>> ParseIco(const Bytes& bytes);

// One entry of a 32-bit .res file.
using ResId = std::variant<std::uint16_t, std::u16string>;
struct ResEntry {
    ResId type;
    ResId name;
    std::uint16_t language = 0;
    Bytes data;
};
std::optional<std::vector<ResEntry>> ParseRes(const Bytes& bytes);

}  // namespace arttest

#endif
