// The software canvas: raster operations, the rectangle rules, clipping on every side of the
// surface and of the bitmap, stretching, and the PPM writer.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "shell/platform/soft/soft_resources.h"
#include "shell/platform/soft/soft_surface.h"
#include "tests/support/dib_builder.h"

namespace {

// A surface of w x h pixels, every byte preset.
struct Frame {
    std::vector<uint8_t> bytes;
    SoftSurface surface;
    Frame(int32_t w, int32_t h, uint8_t fill) : bytes(size_t(w) * h * 3, fill) {
        surface = SoftSurface{w, h, bytes.data()};
    }
    uint32_t At(int x, int y) const {
        const uint8_t* p = &bytes[(size_t(y) * surface.width + x) * 3];
        return uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
    }
    // The pixels as text, one row a line, "." for a pixel still holding fill, else the pixel of
    // a Coordinates bitmap as "xy" (source column and row).
    std::string Map(uint32_t fill) const {
        std::string out;
        for (int y = 0; y < surface.height; ++y) {
            for (int x = 0; x < surface.width; ++x) {
                const uint32_t v = At(x, y);
                if (v == fill) {
                    out += " ..";
                } else {
                    out += ' ';
                    out += char('0' + ((v >> 16 & 0xFF) - 1) / 16);
                    out += char('0' + ((v >> 8 & 0xFF) - 1) / 16);
                }
            }
            out += '\n';
        }
        return out;
    }
};

// A bitmap of w x h whose pixel (x, y) names its own position (see testdib::Coordinates).
struct CoordinateBitmap {
    WBitmap bitmap;
    CoordinateBitmap(int32_t w, int32_t h) {
        const std::vector<uint8_t> dib = testdib::Coordinates(w, h, 0x33);
        EXPECT_TRUE(SoftBitmapFromDib(bitmap, dib.data(), dib.size()));
    }
};

constexpr uint32_t Fill = 0x000000;

TEST(SoftBlit, RasterOperationsAreBitwisePerChannel) {
    // One pixel of 0b1100'1010 red, 0xF0 green, 0x0F blue over a surface of 0b1010'0110,
    // 0x3C, 0xFF.
    testdib::Image s = testdib::Picture(1, 1, 4, {0xCAF00F}, {0});
    const std::vector<uint8_t> dib = testdib::Make(s);
    WBitmap bitmap;
    ASSERT_TRUE(SoftBitmapFromDib(bitmap, dib.data(), dib.size()));
    struct Case {
        WRop rop;
        uint32_t expected;
    };
    for (const Case& c : {Case{WRop::SrcCopy, 0xCAF00F}, Case{WRop::SrcAnd, 0xCAF00F & 0xA63CFF},
                          Case{WRop::SrcPaint, 0xCAF00F | 0xA63CFF}}) {
        std::vector<uint8_t> px = {0xA6, 0x3C, 0xFF};
        SoftSurface surface{1, 1, px.data()};
        EXPECT_TRUE(SoftBlit(surface, bitmap, {0, 0, 1, 1}, {0, 0, 1, 1}, false, c.rop));
        EXPECT_EQ(uint32_t(px[0]) << 16 | uint32_t(px[1]) << 8 | px[2], c.expected)
            << static_cast<int>(c.rop);
    }
}

TEST(SoftBlit, MaskThenImageDrawsAnOutlinedSprite) {
    // The banner's two passes: the mask (black where the sprite goes) ANDed, then the image
    // (black where the screen shows through) ORed.
    testdib::Image mask = testdib::Picture(3, 1, 4, {0x000000, 0xFFFFFF}, {1, 0, 0});
    testdib::Image image = testdib::Picture(3, 1, 4, {0x000000, 0xFFFFFF}, {0, 1, 0});
    const std::vector<uint8_t> maskDib = testdib::Make(mask);
    const std::vector<uint8_t> imageDib = testdib::Make(image);
    WBitmap maskBitmap, imageBitmap;
    ASSERT_TRUE(SoftBitmapFromDib(maskBitmap, maskDib.data(), maskDib.size()));
    ASSERT_TRUE(SoftBitmapFromDib(imageBitmap, imageDib.data(), imageDib.size()));
    Frame f(3, 1, 0x55);
    SoftBlit(f.surface, maskBitmap, {0, 0, 3, 1}, {}, false, WRop::SrcAnd);
    SoftBlit(f.surface, imageBitmap, {0, 0, 3, 1}, {}, false, WRop::SrcPaint);
    EXPECT_EQ(f.At(0, 0), 0x555555u);  // mask white: unchanged
    EXPECT_EQ(f.At(1, 0), 0xFFFFFFu);  // the sprite
    EXPECT_EQ(f.At(2, 0), 0x000000u);  // the outline
}

struct ClipCase {
    const char* name;
    WRect dst;
    WRect src;
    bool stretch;
    const char* map;  // the 4 x 3 surface after the blit of a 3 x 2 coordinate bitmap
};

const ClipCase clipCases[] = {
    {"whole bitmap by zero sizes",
     {1, 1, 0, 0},
     {},
     false,
     " .. .. .. ..\n .. 00 10 20\n .. 01 11 21\n"},
    {"source size unused without stretch",
     {0, 0, 2, 1},
     {1, 1, 9, 9},
     false,
     " 11 21 .. ..\n .. .. .. ..\n .. .. .. ..\n"},
    {"destination size bounds the copy",
     {0, 0, 1, 2},
     {0, 0, 0, 0},
     false,
     " 00 .. .. ..\n 01 .. .. ..\n .. .. .. ..\n"},
    {"negative y clipped at the top",
     {0, -1, 3, 2},
     {},
     false,
     " 01 11 21 ..\n .. .. .. ..\n .. .. .. ..\n"},
    {"negative x clipped at the left",
     {-2, 0, 3, 2},
     {},
     false,
     " 20 .. .. ..\n 21 .. .. ..\n .. .. .. ..\n"},
    {"clipped at the right and bottom",
     {3, 2, 3, 2},
     {},
     false,
     " .. .. .. ..\n .. .. .. ..\n .. .. .. 00\n"},
    {"source left of the bitmap shifts the destination",
     {0, 0, 3, 1},
     {-1, 0, 3, 1},
     false,
     " .. 00 10 ..\n .. .. .. ..\n .. .. .. ..\n"},
    {"source above the bitmap shifts the destination",
     {0, 0, 2, 3},
     {0, -1, 2, 3},
     false,
     " .. .. .. ..\n 00 10 .. ..\n 01 11 .. ..\n"},
    {"source beyond the right and bottom is cut",
     {0, 0, 4, 3},
     {1, 1, 4, 3},
     false,
     " 11 21 .. ..\n .. .. .. ..\n .. .. .. ..\n"},
    {"source wholly left of the bitmap draws nothing",
     {1, 0, 2, 2},
     {-2, 0, 2, 2},
     false,
     " .. .. .. ..\n .. .. .. ..\n .. .. .. ..\n"},
    {"wholly outside the surface",
     {-5, 0, 3, 2},
     {},
     false,
     " .. .. .. ..\n .. .. .. ..\n .. .. .. ..\n"},
    {"stretch one row to twice the width",
     {0, 0, 4, 1},
     {1, 0, 2, 1},
     true,
     " 10 10 20 20\n .. .. .. ..\n .. .. .. ..\n"},
    {"stretch to half",
     {0, 0, 2, 1},
     {0, 0, 3, 2},
     true,
     " 00 10 .. ..\n .. .. .. ..\n .. .. .. ..\n"},
    {"stretch zero sizes: the whole bitmap over the whole destination",
     {0, 0, 4, 3},
     {},
     true,
     " 00 00 10 20\n 00 00 10 20\n 01 01 11 21\n"},
    {"stretch clipped by the surface",
     {-2, -1, 6, 4},
     {0, 0, 3, 2},
     true,
     " 10 10 20 20\n 11 11 21 21\n 11 11 21 21\n"},
    {"stretch with source partly outside leaves those pixels",
     {0, 0, 4, 1},
     {-1, 0, 2, 1},
     true,
     " .. .. 00 00\n .. .. .. ..\n .. .. .. ..\n"},
};

TEST(SoftBlit, RectangleRulesAndClipping) {
    CoordinateBitmap b(3, 2);
    for (const ClipCase& c : clipCases) {
        SCOPED_TRACE(c.name);
        Frame f(4, 3, 0);
        WRect changed{7, 7, 7, 7};
        EXPECT_TRUE(
            SoftBlit(f.surface, b.bitmap, c.dst, c.src, c.stretch, WRop::SrcCopy, &changed));
        EXPECT_EQ(f.Map(Fill), c.map);
        // The rectangle reported as changed holds exactly the pixels written.
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < 4; ++x) {
                const bool inside = x >= changed.x && x < changed.x + changed.width &&
                                    y >= changed.y && y < changed.y + changed.height;
                EXPECT_EQ(f.At(x, y) != Fill, inside) << x << "," << y;
            }
        }
    }
}

TEST(SoftBlit, RefusesWhatCannotBeDrawn) {
    CoordinateBitmap b(3, 2);
    WBitmap empty;
    Frame f(4, 3, 0);
    SoftSurface none{};
    EXPECT_FALSE(SoftBlit(f.surface, empty, {0, 0, 1, 1}, {}, false, WRop::SrcCopy));
    EXPECT_FALSE(SoftBlit(none, b.bitmap, {0, 0, 1, 1}, {}, false, WRop::SrcCopy));
    EXPECT_FALSE(SoftBlit(f.surface, b.bitmap, {0, 0, -1, 1}, {}, false, WRop::SrcCopy));
    EXPECT_FALSE(SoftBlit(f.surface, b.bitmap, {0, 0, 2, 2}, {0, 0, 1, -1}, true, WRop::SrcCopy));
    EXPECT_EQ(f.Map(Fill), " .. .. .. ..\n .. .. .. ..\n .. .. .. ..\n");
    // Extreme coordinates neither overflow nor write.
    EXPECT_TRUE(SoftBlit(f.surface, b.bitmap, {INT32_MAX, INT32_MIN, INT32_MAX, INT32_MAX},
                         {INT32_MIN, INT32_MAX, 0, 0}, false, WRop::SrcCopy));
    EXPECT_TRUE(SoftBlit(f.surface, b.bitmap, {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX},
                         {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, true, WRop::SrcCopy));
    EXPECT_EQ(f.Map(Fill), " .. .. .. ..\n .. .. .. ..\n .. .. .. ..\n");
}

TEST(SoftCanvas, BlitsOntoItsSurface) {
    CoordinateBitmap b(3, 2);
    Frame f(4, 3, 0);
    SoftCanvas canvas(f.surface);
    WCanvas& base = canvas;
    EXPECT_TRUE(base.Blit(b.bitmap, {1, 1, 2, 1}, WRop::SrcCopy));  // source origin (0, 0)
    EXPECT_TRUE(base.Blit(b.bitmap, {0, 2, 1, 1}, {2, 1, 5, 5}, false, WRop::SrcCopy));
    EXPECT_EQ(f.Map(Fill), " .. .. .. ..\n .. 00 10 ..\n 21 .. .. ..\n");
}

TEST(WriteSurfacePpm, WritesBinaryP6) {
    std::vector<uint8_t> px = {1, 2, 3, 250, 251, 252};
    SoftSurface surface{2, 1, px.data()};
    const std::string path = ::testing::TempDir() + "soft_blit_test.ppm";
    ASSERT_TRUE(WriteSurfacePpm(surface, path.c_str()));
    std::ifstream in(path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, std::string("P6\n2 1\n255\n\x01\x02\x03\xFA\xFB\xFC", 17));
    std::remove(path.c_str());
    EXPECT_FALSE(WriteSurfacePpm(SoftSurface{}, path.c_str()));
    EXPECT_FALSE(WriteSurfacePpm(surface, "/nonexistent-dir/x.ppm"));
}

}  // namespace
