// Bitmaps, icons and fonts of the software backends.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "shell/platform/soft/soft_resources.h"
#include "shell/platform/soft/soft_surface.h"
#include "tests/support/dib_builder.h"

namespace {

TEST(SoftBitmap, HoldsADecodedPictureUntilReleased) {
    WBitmap bitmap;
    EXPECT_FALSE(bitmap.Loaded());
    EXPECT_EQ(bitmap.Width(), 0);
    const std::vector<uint8_t> dib = testdib::Coordinates(5, 3, 1);
    ASSERT_TRUE(SoftBitmapFromDib(bitmap, dib.data(), dib.size()));
    EXPECT_TRUE(bitmap.Loaded());
    EXPECT_EQ(bitmap.Width(), 5);
    EXPECT_EQ(bitmap.Height(), 3);
    // A malformed picture replaces it with nothing.
    EXPECT_FALSE(SoftBitmapFromDib(bitmap, dib.data(), 30));
    EXPECT_FALSE(bitmap.Loaded());
    ASSERT_TRUE(SoftBitmapFromDib(bitmap, dib.data(), dib.size()));
    bitmap.Release();
    EXPECT_FALSE(bitmap.Loaded());
    EXPECT_EQ(bitmap.Height(), 0);
    EXPECT_FALSE(bitmap.Load(0x10000));  // no such id
}

TEST(SoftFont, KeepsItsDescription) {
    WFont font;
    EXPECT_FALSE(font.Created());
    EXPECT_STREQ(SoftFontDescription(font), "");
    EXPECT_TRUE(font.Create("9.Arial.CharSet=0"));
    EXPECT_TRUE(font.Created());
    EXPECT_STREQ(SoftFontDescription(font), "9.Arial.CharSet=0");
    EXPECT_FALSE(font.Create(nullptr));
    EXPECT_FALSE(font.Created());
    EXPECT_STREQ(SoftFontDescription(font), "");
}

// An icon group directory with entries (width, height, bits, id).
struct GroupEntry {
    uint8_t width, height;
    uint16_t bits, id;
};
std::vector<uint8_t> Group(const std::vector<GroupEntry>& entries) {
    std::vector<uint8_t> out(6 + 14 * entries.size(), 0);
    testdib::PutU16(out, 2, 1);
    testdib::PutU16(out, 4, static_cast<uint16_t>(entries.size()));
    for (size_t i = 0; i < entries.size(); ++i) {
        const size_t at = 6 + 14 * i;
        out[at] = entries[i].width;
        out[at + 1] = entries[i].height;
        testdib::PutU16(out, at + 4, 1);
        testdib::PutU16(out, at + 6, entries[i].bits);
        testdib::PutU16(out, at + 12, entries[i].id);
    }
    return out;
}

// The icon images of the test, by id: a w x w 24-bit image filled with colour id.
std::map<uint16_t, std::vector<uint8_t>>& Images() {
    static std::map<uint16_t, std::vector<uint8_t>> images;
    return images;
}
void AddImage(uint16_t id, int32_t side) {
    testdib::Image s;
    s.width = side;
    s.height = side;
    s.bitCount = 24;
    s.icon = true;
    s.pixels.assign(size_t(side) * side, id);
    s.mask.assign(size_t(side) * side, 0);
    Images()[id] = testdib::Make(s);
}
bool FindImage(uint16_t id, const uint8_t** data, size_t* size) {
    auto it = Images().find(id);
    if (it == Images().end()) {
        return false;
    }
    *data = it->second.data();
    *size = it->second.size();
    return true;
}

TEST(SoftIcon, PicksThe32By32ImageThenTheLargest) {
    Images().clear();
    AddImage(1, 16);
    AddImage(2, 32);
    AddImage(3, 48);
    AddImage(4, 32);
    Images()[5] = {1, 2, 3};  // a broken image
    struct Case {
        const char* name;
        std::vector<GroupEntry> entries;
        bool loads;
        int32_t side;
        uint16_t colour;  // the chosen image's id
    };
    const Case cases[] = {
        {"32 among others", {{16, 16, 24, 1}, {48, 48, 24, 3}, {32, 32, 24, 2}}, true, 32, 2},
        {"deepest 32", {{32, 32, 4, 2}, {32, 32, 24, 4}}, true, 32, 4},
        {"largest without a 32", {{16, 16, 24, 1}, {48, 48, 24, 3}}, true, 48, 3},
        {"a broken best falls back", {{32, 32, 32, 5}, {16, 16, 24, 1}}, true, 16, 1},
        {"a missing image falls back", {{32, 32, 32, 9}, {48, 48, 24, 3}}, true, 48, 3},
        {"nothing decodes", {{32, 32, 32, 5}, {32, 32, 32, 9}}, false, 0, 0},
        {"empty group", {}, false, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<uint8_t> group = Group(c.entries);
        WIcon icon;
        EXPECT_EQ(SoftIconFromGroup(icon, group.data(), group.size(), &FindImage), c.loads);
        EXPECT_EQ(icon.Loaded(), c.loads);
        int32_t w = 0, h = 0;
        const uint8_t* rgba = nullptr;
        EXPECT_EQ(SoftIconPixels(icon, &w, &h, &rgba), c.loads);
        if (c.loads) {
            EXPECT_EQ(w, c.side);
            EXPECT_EQ(h, c.side);
            EXPECT_EQ(rgba[2], c.colour);  // blue holds the id
            EXPECT_EQ(rgba[3], 255);
        }
    }
}

TEST(SoftIcon, MalformedGroupsLoadNothing) {
    Images().clear();
    AddImage(2, 32);
    std::vector<uint8_t> good = Group({{32, 32, 24, 2}});
    std::vector<uint8_t> badType = good;
    badType[2] = 2;
    std::vector<uint8_t> countBeyond = good;
    countBeyond[4] = 2;
    for (const std::vector<uint8_t>& bytes :
         {std::vector<uint8_t>{}, std::vector<uint8_t>(good.begin(), good.end() - 1), badType,
          countBeyond}) {
        WIcon icon;
        EXPECT_FALSE(SoftIconFromGroup(icon, bytes.data(), bytes.size(), &FindImage));
        EXPECT_FALSE(icon.Loaded());
    }
    WIcon icon;
    EXPECT_TRUE(SoftIconFromGroup(icon, good.data(), good.size(), &FindImage));
}

}  // namespace

namespace {

// The program's own resources, embedded in this test binary.
TEST(ProgramResources, SheetsAndIconsLoadById) {
    struct Sheet {
        uint32_t id;
        int32_t width, height;
    };
    for (const Sheet& s : {Sheet{100, 40, 256}, Sheet{101, 240, 46}, Sheet{102, 400, 64},
                           Sheet{103, 150, 12}, Sheet{104, 480, 336}}) {
        SCOPED_TRACE(s.id);
        WBitmap bitmap;
        ASSERT_TRUE(bitmap.Load(s.id));
        EXPECT_EQ(bitmap.Width(), s.width);
        EXPECT_EQ(bitmap.Height(), s.height);
    }
    WBitmap missing;
    EXPECT_FALSE(missing.Load(99));
    EXPECT_FALSE(missing.Loaded());
    for (uint32_t id : {100u, 101u}) {
        WIcon icon;
        ASSERT_TRUE(icon.Load(id)) << id;
        int32_t w = 0, h = 0;
        const uint8_t* rgba = nullptr;
        ASSERT_TRUE(SoftIconPixels(icon, &w, &h, &rgba));
        EXPECT_EQ(w, 32);
        EXPECT_EQ(h, 32);
    }
    WIcon noIcon;
    EXPECT_FALSE(noIcon.Load(102));
}

}  // namespace
