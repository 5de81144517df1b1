// The committed sheets and icons: formats, sizes and every geometric rule the drawing relies on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "readers.h"

namespace {

using arttest::Dib;
using arttest::RgbQuad;

constexpr std::uint8_t kBlack = 0, kDarkRed = 1, kOlive = 3, kLightGrey = 7, kRed = 9, kWhite = 15;

std::string ResPath(const std::string& name) {
    return std::string(VANTOREL_RES_DIR) + "/" + name;
}

const Dib& Sheet(const std::string& name) {
    static std::map<std::string, Dib> cache;
    auto it = cache.find(name);
    if (it == cache.end()) {
        auto bmp = arttest::ParseBmp(arttest::ReadFileBytes(ResPath(name)));
        if (!bmp) {
            ADD_FAILURE() << name << " is not a 4-bit uncompressed bitmap";
            std::abort();
        }
        it = cache.emplace(name, bmp->dib).first;
    }
    return it->second;
}

std::vector<RgbQuad> Table(std::uint8_t dark) {
    return {{0, 0, 0, 0},       {0, 0, dark, 0},    {0, dark, 0, 0},    {0, dark, dark, 0},
            {dark, 0, 0, 0},    {dark, 0, dark, 0}, {dark, dark, 0, 0}, {192, 192, 192, 0},
            {128, 128, 128, 0}, {0, 0, 255, 0},     {0, 255, 0, 0},     {0, 255, 255, 0},
            {255, 0, 0, 0},     {255, 0, 255, 0},   {255, 255, 0, 0},   {255, 255, 255, 0}};
}

// ---- Format of the five sheets -------------------------------------------------------------

struct SheetCase {
    const char* file;
    int width, height;
    std::uint8_t dark;  // the dark shades of the colour table
};
const SheetCase kSheets[] = {
    {"tiles.bmp", 40, 256, 191},  {"banner.bmp", 240, 46, 191},      {"pans.bmp", 400, 64, 191},
    {"glyphs.bmp", 150, 12, 128}, {"background.bmp", 480, 336, 191},
};

class SheetFormat : public testing::TestWithParam<SheetCase> {};

TEST_P(SheetFormat, IsAFourBitBottomUpDibWithTheSixteenColourTable) {
    const SheetCase& c = GetParam();
    const arttest::Bytes bytes = arttest::ReadFileBytes(ResPath(c.file));
    auto bmp = arttest::ParseBmp(bytes);
    ASSERT_TRUE(bmp) << c.file;
    const Dib& d = bmp->dib;
    EXPECT_EQ(d.headerSize, 40u);
    EXPECT_EQ(d.width, c.width);
    EXPECT_EQ(d.height, c.height) << "rows must be stored bottom-up (positive height)";
    EXPECT_EQ(d.planes, 1);
    EXPECT_EQ(d.bitCount, 4);
    EXPECT_EQ(d.compression, 0u);
    EXPECT_TRUE(d.colorsUsed == 0 || d.colorsUsed == 16);
    EXPECT_EQ(d.colours, Table(c.dark));
    EXPECT_TRUE(d.paddingZero);
    const std::size_t rowBytes = ((std::size_t(c.width) * 4 + 31) / 32) * 4;
    EXPECT_EQ(bmp->pixelOffset, 14u + 40u + 64u);
    EXPECT_EQ(bytes.size(), bmp->pixelOffset + rowBytes * std::size_t(c.height));
    EXPECT_EQ(bmp->fileSize, bytes.size());
    EXPECT_EQ(arttest::U32(bytes, 14 + 20), rowBytes * std::size_t(c.height)) << "image size field";
}

INSTANTIATE_TEST_SUITE_P(AllSheets, SheetFormat, testing::ValuesIn(kSheets), [](const auto& test) {
    std::string n = test.param.file;
    return n.substr(0, n.find('.'));
});

// ---- Tiles ---------------------------------------------------------------------------------

std::uint8_t Tile(int v, int x, int y) {
    return Sheet("tiles.bmp").At(x, 16 * v + y);
}

TEST(Tiles, EmptyTileIsTheBlackOfTheWell) {
    const Dib& bg = Sheet("background.bmp");
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 40; ++x) {
            ASSERT_EQ(Tile(0, x, y), kBlack) << x << "," << y;
            ASSERT_EQ(Tile(0, x, y), bg.At(200 + x, 100 + y));
        }
    }
}

TEST(Tiles, WallCapEqualsTheWallAboveEveryPlayingColumn) {
    const Dib& bg = Sheet("background.bmp");
    for (int c = 1; c <= 6; ++c) {
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 40; ++x) {
                ASSERT_EQ(Tile(15, x, y), bg.At(80 + 40 * c + x, y))
                    << "column " << c << " pixel " << x << "," << y;
            }
        }
    }
}

struct BlockCase {
    int tile;
    std::uint8_t face, shade;
};
const BlockCase kBlocks[] = {{1, 12, 4}, {2, 10, 2}, {3, 14, 6}, {4, 9, 1},
                             {5, 13, 5}, {6, 11, 3}, {7, 8, 0}};

class Blocks : public testing::TestWithParam<BlockCase> {};

TEST_P(Blocks, HaveBevelsFaceColourAndTheDigitTheMarkedTileKeeps) {
    const BlockCase& b = GetParam();
    for (int i = 2; i < 38; ++i) {
        for (int t : {0, 1}) {
            EXPECT_EQ(Tile(b.tile, i, t), kWhite) << "top bevel " << i << "," << t;
            EXPECT_EQ(Tile(b.tile, i, 15 - t), b.shade) << "bottom bevel " << i;
        }
    }
    for (int j = 2; j < 14; ++j) {
        for (int t : {0, 1}) {
            EXPECT_EQ(Tile(b.tile, t, j), kWhite) << "left bevel " << t << "," << j;
            EXPECT_EQ(Tile(b.tile, 39 - t, j), b.shade) << "right bevel " << j;
        }
    }
    // The face is the block colour; the label is light grey, possibly with a black shadow.
    int face = 0, label = 0;
    const int marked = b.tile + 7;
    for (int y = 2; y < 14; ++y) {
        for (int x = 2; x < 38; ++x) {
            const std::uint8_t p = Tile(b.tile, x, y);
            EXPECT_TRUE(p == b.face || p == kLightGrey || p == kBlack) << x << "," << y;
            face += p == b.face;
            label += p == kLightGrey;
            // The marked tile shows exactly the light grey of the block's digit and caption.
            EXPECT_EQ(Tile(marked, x, y) == kLightGrey, p == kLightGrey) << x << "," << y;
        }
    }
    EXPECT_GT(face, 300);
    EXPECT_GT(label, 30) << "a large digit and a caption";
}

INSTANTIATE_TEST_SUITE_P(OneToSevenAndTheStone, Blocks, testing::ValuesIn(kBlocks));

TEST(Tiles, MarkedTilesAreOnlyDigitAndCaptionOnBlack) {
    for (int v = 8; v <= 14; ++v) {
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 40; ++x) {
                const std::uint8_t p = Tile(v, x, y);
                EXPECT_TRUE(p == kBlack || p == kLightGrey) << v << ": " << x << "," << y;
                if (x < 2 || x > 37 || y < 2 || y > 13) {
                    EXPECT_EQ(p, kBlack) << "no bevel on marked tile " << v;
                }
            }
        }
    }
}

TEST(Tiles, EachValueShowsItsOwnDigit) {
    // Marked tiles 8..13 carry the weights 1..6 and 14 the stone's 0: no two look alike.
    std::set<std::vector<bool>> seen;
    for (int v = 8; v <= 14; ++v) {
        std::vector<bool> ink;
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 40; ++x) {
                ink.push_back(Tile(v, x, y) == kLightGrey);
            }
        }
        EXPECT_TRUE(seen.insert(ink).second) << "tile " << v << " repeats another";
    }
}

// The caption of the marked weight-1 tile: its light-grey pixels right of the digit, as a shape
// relative to its own top-left corner.
std::set<std::pair<int, int>> TileCaption() {
    int digitEnd = -1;
    bool seenInk = false;
    for (int x = 0; x < 40 && digitEnd < 0; ++x) {
        bool column = false;
        for (int y = 0; y < 16; ++y)
            column = column || Tile(8, x, y) == kLightGrey;
        if (column)
            seenInk = true;
        if (seenInk && !column)
            digitEnd = x;
    }
    std::set<std::pair<int, int>> px;
    for (int y = 0; y < 16; ++y) {
        for (int x = digitEnd; x < 40; ++x) {
            if (Tile(8, x, y) == kLightGrey)
                px.insert({x, y});
        }
    }
    return px;
}

std::set<std::pair<int, int>> Normalised(const std::set<std::pair<int, int>>& px) {
    int x0 = 1 << 20, y0 = 1 << 20;
    for (auto [x, y] : px) {
        x0 = std::min(x0, x);
        y0 = std::min(y0, y);
    }
    std::set<std::pair<int, int>> out;
    for (auto [x, y] : px)
        out.insert({x - x0, y - y0});
    return out;
}

// ---- Pans ----------------------------------------------------------------------------------

std::uint8_t Pan(int f, int x, int y) {
    return Sheet("pans.bmp").At(80 * f + x, y);
}

TEST(Pans, OnlyLightGreyLinesOnBlack) {
    const Dib& d = Sheet("pans.bmp");
    for (std::uint8_t p : d.pixels) {
        ASSERT_TRUE(p == kBlack || p == kLightGrey);
    }
}

class PanFrame : public testing::TestWithParam<int> {};

TEST_P(PanFrame, PlatesStemsBeamAndPostStandWhereTheColumnsNeedThem) {
    const int f = GetParam();
    const int left = 8 * f, right = 32 - 8 * f;
    for (int x = 0; x < 80; ++x) {
        const int plate = x < 40 ? left : right;
        for (int y = 0; y < plate; ++y) {
            ASSERT_EQ(Pan(f, x, y), kBlack)
                << "above the plate, where cells lie: " << x << "," << y;
        }
        EXPECT_EQ(Pan(f, x, plate), kLightGrey) << x;
        EXPECT_EQ(Pan(f, x, plate + 1), kLightGrey) << x;
    }
    // The stems hang from the plates' middles (columns 19, 20 and 59, 60), unbroken down to the
    // beam, which joins their feet; the post runs from the beam to the bottom.
    auto unbrokenFrom = [&](int x, int y) {
        int n = 0;
        while (y + n < 64 && Pan(f, x, y + n) == kLightGrey)
            ++n;
        return n;
    };
    for (int x : {19, 20})
        EXPECT_GE(unbrokenFrom(x, left + 2), 12) << "left stem " << x;
    for (int x : {59, 60})
        EXPECT_GE(unbrokenFrom(x, right + 2), 12) << "right stem " << x;
    for (int x : {39, 40}) {
        EXPECT_EQ(Pan(f, x, 63), kLightGrey);
        int y = 63;
        while (y > 0 && Pan(f, x, y - 1) == kLightGrey)
            --y;
        EXPECT_LE(y, 46) << "the post reaches the beam's middle";
    }
    // The beam: a lit pixel in every column between the stems, rising or falling monotonously
    // with the tilt.
    int previous = -1;
    for (int x = 21; x <= 58; ++x) {
        if (x >= 33 && x <= 46)
            continue;  // pivot and post
        int top = -1;
        // Search below the plate and its hanger.
        for (int y = (x < 40 ? left : right) + 5; y < 63 && top < 0; ++y) {
            if (Pan(f, x, y) == kLightGrey && Pan(f, x, y + 1) == kLightGrey) {
                top = y;
            }
        }
        ASSERT_GE(top, 0) << "beam column " << x;
        if (previous >= 0) {
            if (f < 2) {
                EXPECT_GE(top, previous) << x;
            } else if (f > 2) {
                EXPECT_LE(top, previous) << x;
            } else {
                EXPECT_EQ(top, 46) << x;
            }
        }
        previous = top;
    }
}

INSTANTIATE_TEST_SUITE_P(TiltsMinusTwoToTwo, PanFrame, testing::Range(0, 5));

TEST(Pans, LevelFrameHasOneBarAndAHorizontalBeam) {
    for (int x = 0; x < 80; ++x) {
        EXPECT_EQ(Pan(2, x, 16), kLightGrey);
        EXPECT_EQ(Pan(2, x, 17), kLightGrey);
        EXPECT_EQ(Pan(2, x, 15), kBlack);
    }
    for (int x = 19; x <= 60; ++x) {
        EXPECT_EQ(Pan(2, x, 46), kLightGrey) << x;
        EXPECT_EQ(Pan(2, x, 47), kLightGrey) << x;
    }
}

// ---- Glyphs --------------------------------------------------------------------------------

TEST(Glyphs, FifteenCrispWhiteOnBlackGlyphsWithABlankLast) {
    const Dib& d = Sheet("glyphs.bmp");
    std::set<std::vector<bool>> shapes;
    for (int g = 0; g < 15; ++g) {
        std::vector<bool> ink;
        int lit = 0;
        for (int y = 0; y < 12; ++y) {
            for (int x = 0; x < 10; ++x) {
                const std::uint8_t p = d.At(10 * g + x, y);
                ASSERT_TRUE(p == kBlack || p == kWhite) << "glyph " << g;
                ink.push_back(p == kWhite);
                lit += p == kWhite;
                if (x == 0 || x == 9) {
                    EXPECT_EQ(p, kBlack) << "glyphs keep apart: glyph " << g;
                }
            }
        }
        if (g == 14) {
            EXPECT_EQ(lit, 0) << "the blank glyph";
        } else {
            EXPECT_GT(lit, 8) << "glyph " << g;
            EXPECT_TRUE(shapes.insert(ink).second) << "glyph " << g << " repeats another";
        }
    }
}

// ---- Banner --------------------------------------------------------------------------------

TEST(Banner, WordsInTheirBoundsAndTheMaskIsTheirOnePixelDilation) {
    const Dib& d = Sheet("banner.bmp");
    int minX = 999, maxX = -1, minY = 999, maxY = -1, lit = 0;
    for (int y = 0; y < 23; ++y) {
        for (int x = 0; x < 240; ++x) {
            const std::uint8_t p = d.At(x, y);
            ASSERT_TRUE(p == kBlack || p == kWhite);
            if (p == kWhite) {
                ++lit;
                minX = std::min(minX, x), maxX = std::max(maxX, x);
                minY = std::min(minY, y), maxY = std::max(maxY, y);
            }
        }
    }
    EXPECT_GT(lit, 500);
    // Within columns 20..219 and rows 1..21, reaching both side columns so that the first
    // and the last slice show only the outline.
    EXPECT_EQ(minX, 20);
    EXPECT_EQ(maxX, 219);
    EXPECT_GE(minY, 1);
    EXPECT_LE(maxY, 21);
    for (int y = 0; y < 23; ++y) {
        for (int x = 0; x < 240; ++x) {
            bool near = false;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    const int sx = x + dx, sy = y + dy;
                    near = near ||
                           (sx >= 0 && sx < 240 && sy >= 0 && sy < 23 && d.At(sx, sy) == kWhite);
                }
            }
            ASSERT_EQ(d.At(x, 23 + y), near ? kBlack : kWhite) << "mask at " << x << "," << y;
        }
    }
}

// ---- Background ----------------------------------------------------------------------------

struct Area {
    const char* name;
    int x0, y0, x1, y1;
    int textEnd;  // last column a read-out covers (boxes with a caption), else x1
};

std::vector<Area> BlackAreas() {
    std::vector<Area> a = {{"well", 120, 16, 359, 287, 359},
                           {"next", 400, 32, 439, 47, 439},
                           {"later", 413, 42, 452, 57, 452},
                           {"level", 410, 96, 429, 110, 429},
                           {"score", 380, 160, 459, 174, 459}};
    for (int c = 1; c <= 6; ++c)
        a.push_back({"weight", 81 + 40 * c, 296, 117 + 40 * c, 311, 99 + 40 * c});
    for (int c = 1; c <= 5; c += 2)
        a.push_back(
            {"difference", 139 + 40 * (c - 1), 316, 184 + 40 * (c - 1), 331, 168 + 40 * (c - 1)});
    return a;
}

bool InArea(int x, int y) {
    for (const Area& a : BlackAreas()) {
        if (x >= a.x0 && x <= a.x1 && y >= a.y0 && y <= a.y1)
            return true;
    }
    return false;
}

TEST(Background, BlackExactlyInsideTheStatedAreas) {
    const Dib& bg = Sheet("background.bmp");
    for (int y = 0; y < 336; ++y) {
        for (int x = 0; x < 480; ++x) {
            if (!InArea(x, y)) {
                ASSERT_NE(bg.At(x, y), kBlack) << "black outside the areas at " << x << "," << y;
            }
        }
    }
    for (const Area& a : BlackAreas()) {
        for (int y = a.y0; y <= a.y1; ++y) {
            for (int x = a.x0; x <= a.x1; ++x) {
                if (x <= a.textEnd) {
                    ASSERT_EQ(bg.At(x, y), kBlack) << a.name << " at " << x << "," << y;
                } else {
                    ASSERT_TRUE(bg.At(x, y) == kBlack || bg.At(x, y) == kLightGrey)
                        << a.name << " caption at " << x << "," << y;
                }
            }
        }
    }
}

TEST(Background, EveryWeightAndDifferenceBoxCarriesTheTileCaption) {
    const Dib& bg = Sheet("background.bmp");
    const auto caption = Normalised(TileCaption());
    ASSERT_FALSE(caption.empty());
    for (const Area& a : BlackAreas()) {
        if (a.textEnd == a.x1)
            continue;
        std::set<std::pair<int, int>> px;
        for (int y = a.y0; y <= a.y1; ++y) {
            for (int x = a.textEnd + 1; x <= a.x1; ++x) {
                if (bg.At(x, y) == kLightGrey)
                    px.insert({x, y});
            }
        }
        EXPECT_EQ(Normalised(px), caption) << a.name << " box at x " << a.x0;
        int right = 0;
        for (auto [x, y] : px)
            right = std::max(right, x);
        EXPECT_GE(right, a.x1 - 4) << "the caption stands at the right end of the box";
    }
}

TEST(Background, WallColumnsAndTheStripAboveTheWellAreBrick) {
    const Dib& bg = Sheet("background.bmp");
    int brick = 0, mortar = 0;
    auto check = [&](int x, int y) {
        if (InArea(x, y))
            return;
        const std::uint8_t p = bg.At(x, y);
        EXPECT_TRUE(p == kDarkRed || p == kRed || p == kOlive) << x << "," << y;
        brick += p == kDarkRed;
        mortar += p == kOlive;
    };
    for (int y = 0; y < 336; ++y) {
        for (int x = 80; x < 120; ++x)
            check(x, y);
        for (int x = 360; x < 400; ++x)
            check(x, y);
    }
    for (int y = 0; y < 16; ++y) {
        for (int x = 120; x < 360; ++x)
            check(x, y);
    }
    EXPECT_GT(brick, 4 * mortar) << "dark red bricks with thin olive mortar";
    EXPECT_GT(mortar, 500);
}

struct LetteringCase {
    const char* what;
    int x0, y0, x1, y1;
    int minWhite;
};
const LetteringCase kLettering[] = {
    {"NEXT label", 400, 16, 452, 31, 20},    {"LEVEL label", 400, 80, 479, 95, 20},
    {"SCORE label", 380, 144, 459, 159, 20}, {"title", 0, 0, 79, 95, 200},
    {"logo", 400, 190, 479, 335, 300},
};

class Lettering : public testing::TestWithParam<LetteringCase> {};

TEST_P(Lettering, IsWhiteInItsPlace) {
    const LetteringCase& c = GetParam();
    const Dib& bg = Sheet("background.bmp");
    int white = 0;
    for (int y = c.y0; y <= c.y1; ++y) {
        for (int x = c.x0; x <= c.x1; ++x)
            white += bg.At(x, y) == kWhite;
    }
    EXPECT_GE(white, c.minWhite) << c.what;
}

INSTANTIATE_TEST_SUITE_P(LabelsTitleAndLogo, Lettering, testing::ValuesIn(kLettering));

// ---- Icons ---------------------------------------------------------------------------------

class Icons : public testing::TestWithParam<const char*> {};

TEST_P(Icons, HoldA32By32SixteenColourPictureWithItsMask) {
    auto icons = arttest::ParseIco(arttest::ReadFileBytes(ResPath(GetParam())));
    ASSERT_TRUE(icons) << GetParam();
    bool found = false;
    for (const auto& e : *icons) {
        EXPECT_EQ(e.colourCount, 16);
        EXPECT_EQ(e.bitCount, 4);
        EXPECT_EQ(e.dib.width, e.width);
        EXPECT_EQ(e.dib.height, 2 * e.height) << "colour rows and mask rows";
        EXPECT_EQ(e.dib.colours, Table(128));
        int drawn = 0;
        for (int y = 0; y < e.dib.rows; ++y) {
            for (int x = 0; x < e.dib.width; ++x) {
                const bool clear = e.transparent[std::size_t(y * e.dib.width + x)];
                drawn += !clear && e.dib.At(x, y) != kBlack;
                if (clear) {
                    EXPECT_EQ(e.dib.At(x, y), kBlack) << "a transparent pixel keeps the screen";
                }
            }
        }
        EXPECT_GT(drawn, e.width * e.height / 5);
        found = found || (e.width == 32 && e.height == 32);
    }
    EXPECT_TRUE(found) << "a 32 x 32 picture";
}

INSTANTIATE_TEST_SUITE_P(FileAndWindow, Icons,
                         testing::Values("vantorel_file.ico", "vantorel_window.ico"));

// ---- The generator reproduces the committed files ------------------------------------------

TEST(Generator, ReproducesTheCommittedFilesByteForByte) {
#ifndef VANTOREL_ARTGEN
    GTEST_SKIP() << "the generator is not part of this build";
#else
    const std::filesystem::path out =
        std::filesystem::path(testing::TempDir()) / "vantorel-artgen-check";
    std::filesystem::remove_all(out);
    std::filesystem::create_directories(out);
    const std::string command =
        std::string("\"") + VANTOREL_ARTGEN + "\" --out \"" + out.string() + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    for (const char* name : {"tiles.bmp", "banner.bmp", "pans.bmp", "glyphs.bmp", "background.bmp",
                             "vantorel_file.ico", "vantorel_window.ico"}) {
        const auto committed = arttest::ReadFileBytes(ResPath(name));
        EXPECT_FALSE(committed.empty()) << name;
        EXPECT_TRUE(committed == arttest::ReadFileBytes((out / name).string()))
            << name << " differs from what the generator draws; run it and commit the result";
    }
    std::filesystem::remove_all(out);
#endif
}

}  // namespace
