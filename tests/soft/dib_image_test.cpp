// Decoding of bitmap and icon images: every depth, both row orders, and malformed headers.
#include <gtest/gtest.h>

#include "shell/platform/resfile/dib_image.h"
#include "tests/support/dib_builder.h"

namespace {

using testdib::Image;

std::vector<uint32_t> Rgb(const DibPixels& image) {
    std::vector<uint32_t> out;
    for (size_t i = 0; i + 2 < image.pixels.size(); i += size_t(image.channels)) {
        out.push_back(uint32_t(image.pixels[i]) << 16 | uint32_t(image.pixels[i + 1]) << 8 |
                      image.pixels[i + 2]);
    }
    return out;
}

const std::vector<uint32_t> sixteen = {0x000000, 0xBF0000, 0x00BF00, 0xBFBF00, 0x0000BF, 0xBF00BF,
                                       0x00BFBF, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                       0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

struct DepthCase {
    const char* name;
    Image picture;
    std::vector<uint32_t> expected;
};

std::vector<DepthCase> DepthCases() {
    std::vector<DepthCase> cases;
    {
        // 4 bits, odd width (padding inside the last byte and the row), bottom-up.
        testdib::Image s = testdib::Picture(3, 2, 4, sixteen, {1, 9, 15, 12, 0, 7});
        cases.push_back({"4bit", s, {0xBF0000, 0xFF0000, 0xFFFFFF, 0x0000FF, 0x000000, 0xC0C0C0}});
    }
    {
        testdib::Image s =
            testdib::Picture(9, 1, 1, {0x000000, 0xFFFFFF}, {1, 0, 1, 1, 0, 0, 0, 0, 1});
        std::vector<uint32_t> e;
        for (uint32_t v : s.pixels) {
            e.push_back(v ? 0xFFFFFF : 0);
        }
        cases.push_back({"1bit", s, e});
    }
    {
        testdib::Image s = testdib::Picture(2, 2, 8, {0x102030, 0x405060, 0x708090}, {2, 1, 0, 2});
        s.topDown = true;
        cases.push_back({"8bitTopDown", s, {0x708090, 0x405060, 0x102030, 0x708090}});
    }
    {
        testdib::Image s = testdib::Picture(2, 2, 24, {}, {0x010203, 0xA0B0C0, 0xFFFFFF, 0x000000});
        cases.push_back({"24bit", s, s.pixels});
    }
    {
        testdib::Image s = testdib::Picture(2, 1, 32, {}, {0x80112233, 0x00445566});
        cases.push_back({"32bit", s, {0x112233, 0x445566}});
    }
    {
        // 5-5-5: full red, full green, full blue, one step of each.
        testdib::Image s = testdib::Picture(4, 1, 16, {}, {0x7C00, 0x03E0, 0x001F, 0x0421});
        cases.push_back({"16bit", s, {0xFF0000, 0x00FF00, 0x0000FF, 0x080808}});
    }
    {
        // Indices beyond a short colour table show black.
        testdib::Image s = testdib::Picture(2, 1, 4, {0xFFFFFF, 0x00FF00}, {1, 5});
        cases.push_back({"shortTable", s, {0x00FF00, 0x000000}});
    }
    return cases;
}

TEST(DecodeDib, EveryDepthAndRowOrder) {
    for (const DepthCase& c : DepthCases()) {
        SCOPED_TRACE(c.name);
        const std::vector<uint8_t> bytes = testdib::Make(c.picture);
        DibPixels image;
        ASSERT_TRUE(DecodeDib(bytes.data(), bytes.size(), &image));
        EXPECT_EQ(image.width, c.picture.width);
        EXPECT_EQ(image.height, c.picture.height);
        EXPECT_EQ(image.channels, 3);
        EXPECT_EQ(Rgb(image), c.expected);
    }
}

// Writes a header field of a valid 4-bit 3x2 bitmap.
std::vector<uint8_t> Patched(size_t at, uint32_t value, int width = 4) {
    std::vector<uint8_t> bytes =
        testdib::Make(testdib::Picture(3, 2, 4, sixteen, {1, 2, 3, 4, 5, 6}));
    if (width == 4) {
        testdib::PutU32(bytes, at, value);
    } else {
        testdib::PutU16(bytes, at, static_cast<uint16_t>(value));
    }
    return bytes;
}

TEST(DecodeDib, MalformedHeadersDecodeToNothing) {
    const std::vector<uint8_t> good =
        testdib::Make(testdib::Picture(3, 2, 4, sixteen, {1, 2, 3, 4, 5, 6}));
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
    };
    std::vector<Case> cases = {
        {"empty", {}},
        {"shortHeader", std::vector<uint8_t>(good.begin(), good.begin() + 39)},
        {"headerSizeSmall", Patched(0, 12)},
        {"headerSizeBeyond", Patched(0, 100000)},
        {"zeroWidth", Patched(4, 0)},
        {"negativeWidth", Patched(4, uint32_t(-3))},
        {"zeroHeight", Patched(8, 0)},
        {"hugeWidth", Patched(4, 0x7FFFFFFF)},
        {"hugeHeight", Patched(8, 0x80000000u)},  // the most negative height
        {"planes", Patched(12, 2, 2)},
        {"bitCount", Patched(14, 5, 2)},
        {"compressed", Patched(16, 2)},
        {"tooManyColours", Patched(32, 17)},
        {"tableBeyond", Patched(32, 16)},  // fine by itself; cut below
        {"bitsCut", std::vector<uint8_t>(good.begin(), good.end() - 1)},
        {"tableCut", std::vector<uint8_t>(good.begin(), good.begin() + 40 + 60)},
    };
    cases[13].bytes.resize(40 + 16 * 4 + 1);  // the table is there, the rows are not
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DibPixels image;
        image.width = 99;
        EXPECT_FALSE(DecodeDib(c.bytes.data(), c.bytes.size(), &image));
        EXPECT_EQ(image.width, 0);
        EXPECT_TRUE(image.pixels.empty());
    }
    DibPixels image;
    EXPECT_FALSE(DecodeDib(nullptr, 100, &image));
    EXPECT_TRUE(DecodeDib(good.data(), good.size(), &image));
}

TEST(DecodeIconDib, MaskMakesTransparentPixels) {
    testdib::Image s = testdib::Picture(3, 2, 4, sixteen, {15, 15, 12, 0, 9, 15});
    s.icon = true;
    s.mask = {0, 1, 0, 1, 0, 0};
    const std::vector<uint8_t> bytes = testdib::Make(s);
    DibPixels image;
    ASSERT_TRUE(DecodeIconDib(bytes.data(), bytes.size(), &image));
    ASSERT_EQ(image.channels, 4);
    ASSERT_EQ(image.width, 3);
    ASSERT_EQ(image.height, 2);
    const std::vector<uint8_t> expected = {
        255, 255, 255, 255, /**/ 255, 255, 255, 0,   /**/ 0,   0,   255, 255,  // white, clear, blue
        0,   0,   0,   0,   /**/ 255, 0,   0,   255, /**/ 255, 255, 255, 255,  // clear, red, white
    };
    EXPECT_EQ(image.pixels, expected);
    // Without the mask the image is cut.
    EXPECT_FALSE(DecodeIconDib(bytes.data(), bytes.size() - 1, &image));
    // A bitmap header (height not doubled to an even count) is not an icon.
    std::vector<uint8_t> odd = bytes;
    testdib::PutU32(odd, 8, 3);
    EXPECT_FALSE(DecodeIconDib(odd.data(), odd.size(), &image));
}

TEST(DecodeIconDib, ThirtyTwoBitsUseAlphaUnlessAllZero) {
    testdib::Image s = testdib::Picture(2, 1, 32, {}, {0x80FF0000, 0x0000FF00});
    s.icon = true;
    s.mask = {1, 0};
    std::vector<uint8_t> bytes = testdib::Make(s);
    DibPixels image;
    ASSERT_TRUE(DecodeIconDib(bytes.data(), bytes.size(), &image));
    EXPECT_EQ(image.pixels, (std::vector<uint8_t>{255, 0, 0, 0x80, 0, 255, 0, 0}));

    s.pixels = {0x00FF0000, 0x0000FF00};  // no alpha anywhere: the mask decides
    bytes = testdib::Make(s);
    ASSERT_TRUE(DecodeIconDib(bytes.data(), bytes.size(), &image));
    EXPECT_EQ(image.pixels, (std::vector<uint8_t>{255, 0, 0, 0, 0, 255, 0, 255}));
}

}  // namespace
