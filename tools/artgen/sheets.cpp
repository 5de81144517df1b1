// The five sheets of the game: tiles, banner, pans, glyphs and the background picture.
#include <algorithm>
#include <cstdlib>
#include <iostream>

#include "art.h"

namespace artgen {

namespace {

// Screen geometry the background is drawn around (inclusive bounds).
struct Box {
    int x0, y0, x1, y1;
};
constexpr Box kWell{120, 16, 359, 287};
constexpr Box kPreviewNext{400, 32, 439, 47};
constexpr Box kPreviewLater{413, 42, 452, 57};
constexpr Box kLevelBox{410, 96, 429, 110};
constexpr Box kScoreBox{380, 160, 459, 174};
Box WeightBox(int c) {
    return {81 + 40 * c, 296, 117 + 40 * c, 311};
}
Box DifferenceBox(int c) {
    return {139 + 40 * (c - 1), 316, 184 + 40 * (c - 1), 331};
}

// Small, deterministic hash for the texture of the wall.
unsigned Hash(unsigned a, unsigned b) {
    unsigned h = a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA77u;
    h ^= h >> 15;
    h *= 0xC2B2AE3Du;
    h ^= h >> 13;
    return h;
}

void Fail(const std::string& what) {
    std::cerr << "artgen: " << what << "\n";
    std::abort();
}

// The caption after every weight: "kg" in the tiny font.
const Mask& Caption() {
    static const Mask caption = RenderText(Font::Tiny, "kg");
    return caption;
}

// The piece colours: face and dark shade of each block, 1 to 6 and the stone (7).
struct BlockColours {
    std::uint8_t face, shade;
};
constexpr BlockColours kBlocks[8] = {{Black, Black},  {Blue, DarkBlue}, {Green, DarkGreen},
                                     {Cyan, Teal},    {Red, DarkRed},   {Magenta, Purple},
                                     {Yellow, Olive}, {Grey, Black}};

// Digit and caption of a tile, centred: the digit 7 x 10 at rows 3..12, the caption after it
// with its foot on the digit's foot.
void TileLabel(Image& tiles, int top, char digit, bool shadow) {
    const Mask glyph = RenderText(Font::Digits, std::string_view(&digit, 1));
    const Mask& caption = Caption();
    const int width = glyph.width + 2 + caption.width;
    const int x = (40 - width) / 2;
    if (shadow) {
        Stamp(tiles, glyph, x + 1, top + 4, Black);
        Stamp(tiles, caption, x + glyph.width + 3, top + 9, Black);
    }
    Stamp(tiles, glyph, x, top + 3, LightGrey);
    Stamp(tiles, caption, x + glyph.width + 2, top + 8, LightGrey);
}

Image DrawTiles() {
    Image tiles(40, 256, Black);
    for (int v = 1; v <= 7; ++v) {
        const int top = 16 * v;
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 40; ++x) {
                const int lit = std::min(y, x);
                const int dark = std::min(15 - y, 39 - x);
                std::uint8_t colour = kBlocks[v].face;
                if (lit < 2 && lit <= dark) {
                    colour = White;
                } else if (dark < 2) {
                    colour = kBlocks[v].shade;
                }
                tiles.Set(x, top + y, colour);
            }
        }
        TileLabel(tiles, top, v == 7 ? '0' : static_cast<char>('0' + v), true);
    }
    for (int v = 8; v <= 14; ++v) {
        TileLabel(tiles, 16 * v, v == 14 ? '0' : static_cast<char>('0' + v - 7), false);
    }
    // The wall cap is the wall itself: the strip above the first column of the well.
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 40; ++x) {
            tiles.Set(x, 240 + y, BrickAt(kWell.x0 + x, y));
        }
    }
    return tiles;
}

Image DrawGlyphs() {
    Image glyphs(150, 12, Black);
    const std::string_view chars = "0123456789?+-* ";
    for (int g = 0; g < 15; ++g) {
        Stamp(glyphs, RenderText(Font::Digits, chars.substr(static_cast<std::size_t>(g), 1)),
              10 * g + 1, 1, White);
    }
    return glyphs;
}

// Top row of the 2-pixel beam at column x in frame f: a straight bar through the top of the
// post (row 46 between columns 39 and 40) whose ends sit at the feet of the two stems.
int BeamTop(int f, int x) {
    const int num = (2 * x - 79) * (32 - 16 * f) + 40;
    return 46 + (num >= 0 ? num / 80 : -((-num + 79) / 80));
}

Image DrawPans() {
    Image pans(400, 64, Black);
    for (int f = 0; f < 5; ++f) {
        Image frame(80, 64, Black);
        const int leftPlate = 8 * f;
        const int rightPlate = 32 - 8 * f;
        frame.Fill(0, leftPlate, 39, leftPlate + 1, LightGrey);
        frame.Fill(40, rightPlate, 79, rightPlate + 1, LightGrey);
        // Hangers under the plates, narrowing into the stems.
        for (int i = 0; i < 3; ++i) {
            frame.Fill(15 + i * 2, leftPlate + 2 + i, 24 - i * 2, leftPlate + 2 + i, LightGrey);
            frame.Fill(55 + i * 2, rightPlate + 2 + i, 64 - i * 2, rightPlate + 2 + i, LightGrey);
        }
        for (int x : {19, 20}) {
            frame.Fill(x, leftPlate + 2, x, BeamTop(f, x) - 1, LightGrey);
        }
        for (int x : {59, 60}) {
            frame.Fill(x, rightPlate + 2, x, BeamTop(f, x) - 1, LightGrey);
        }
        for (int x = 19; x <= 60; ++x) {
            frame.Fill(x, BeamTop(f, x), x, BeamTop(f, x) + 1, LightGrey);
        }
        // Post from the middle of the beam to the floor, a pivot cap and a foot.
        for (int x : {39, 40}) {
            frame.Fill(x, BeamTop(f, x), x, 63, LightGrey);
        }
        frame.Fill(37, 43, 42, 43, LightGrey);
        frame.Fill(38, 42, 41, 42, LightGrey);
        frame.Fill(36, 44, 43, 45, LightGrey);
        frame.Fill(38, 44, 41, 45, Black);  // the pivot is a ring around the beam's axle
        for (int i = 0; i < 4; ++i) {
            frame.Fill(37 - i, 60 + i, 42 + i, 60 + i, LightGrey);
        }
        // The ring may have covered the beam: the beam and the post stay whole.
        for (int x = 38; x <= 41; ++x) {
            frame.Fill(x, BeamTop(f, x), x, BeamTop(f, x) + 1, LightGrey);
        }
        for (int x : {39, 40}) {
            frame.Fill(x, BeamTop(f, x), x, 63, LightGrey);
        }
        // Nothing above the plates: the bottom cells of the columns lie there.
        frame.Fill(0, 0, 39, leftPlate - 1, Black);
        frame.Fill(40, 0, 79, rightPlate - 1, Black);
        pans.Blit(frame, 0, 0, 80, 64, 80 * f, 0);
    }
    return pans;
}

Image DrawBanner() {
    const std::string_view words[2] = {"GAME", "OVER"};
    constexpr int kLetterGap = 3;
    constexpr int kWordGap = 14;
    Mask text{200, 21, std::vector<bool>(200 * 21, false)};
    int x = 0;
    for (int w = 0; w < 2; ++w) {
        for (std::size_t i = 0; i < words[w].size(); ++i) {
            const Mask letter = SmoothScale(RenderText(Font::Banner, words[w].substr(i, 1)), 3);
            for (int ly = 0; ly < letter.height; ++ly) {
                for (int lx = 0; lx < letter.width; ++lx) {
                    if (letter.At(lx, ly)) {
                        text.ink[static_cast<std::size_t>(ly * 200 + x + lx)] = true;
                    }
                }
            }
            x += letter.width + (i + 1 < words[w].size() ? kLetterGap : 0);
        }
        x += kWordGap;
    }
    if (x - kWordGap != 200) {
        Fail("the banner words are not 200 pixels wide");
    }
    Image banner(240, 46, Black);
    Stamp(banner, text, 20, 1, White);
    // The mask half: black under the words and their one-pixel outline, white elsewhere.
    for (int y = 0; y < 23; ++y) {
        for (int xx = 0; xx < 240; ++xx) {
            bool near = false;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    const int sx = xx + dx, sy = y + dy;
                    near = near || (sx >= 0 && sx < 240 && sy >= 0 && sy < 23 &&
                                    banner.At(sx, sy) == White);
                }
            }
            banner.Set(xx, 23 + y, near ? Black : White);
        }
    }
    return banner;
}

// A framed sign on the wall: dark blue face, light grey rim with a white top-left edge.
void Plaque(Image& image, int x0, int y0, int x1, int y1) {
    image.Fill(x0, y0, x1, y1, LightGrey);
    image.Fill(x0, y0, x1 - 1, y0, White);
    image.Fill(x0, y0, x0, y1 - 1, White);
    image.Fill(x1, y0 + 1, x1, y1, Grey);
    image.Fill(x0 + 1, y1, x1, y1, Grey);
    image.Fill(x0 + 1, y0 + 1, x1 - 1, y1 - 1, DarkBlue);
    image.Fill(x0 + 2, y0 + 2, x1 - 2, y0 + 2, Purple);
}

void CentredText(Image& image, const Mask& text, int cx, int y, std::uint8_t colour) {
    Stamp(image, text, cx - text.width / 2, y, colour);
}

// A label above a box: white capitals on a small sign whose foot stands 3 pixels above the box.
void Label(Image& image, std::string_view text, int cx, int boxTop) {
    const Mask letters = RenderText(Font::Small, text);
    const int y1 = boxTop - 3;
    const int y0 = y1 - letters.height - 5;
    const int x0 = cx - letters.width / 2 - 4;
    Plaque(image, x0, y0, x0 + letters.width + 7, y1);
    Stamp(image, letters, x0 + 4, y0 + 3, White);
}

// The title sign at the upper left, clear of the wall column beside the well (x 80 on).
void Title(Image& image) {
    Plaque(image, 1, 6, 78, 84);
    const Mask the = SmoothScale(RenderText(Font::Small, "The"), 2);
    const Mask name = SmoothScale(RenderText(Font::Small, "Vantorel"), 2);
    CentredText(image, the, 40, 11, White);
    CentredText(image, name, 40, 29, White);
    image.Fill(8, 48, 71, 48, LightGrey);
    CentredText(image, RenderText(Font::Small, "-KESTRAVO"), 40, 55, White);
    CentredText(image, RenderText(Font::Small, "edition-"), 40, 67, White);
}

// The workshop's mark at the lower right, clear of the wall column beside the well (up to
// x 399): a medallion with a balance scale, and the name under it.
void Logo(Image& image) {
    constexpr int cx = 440, cy = 236;
    for (int y = cy - 38; y <= cy + 38; ++y) {
        for (int x = cx - 38; x <= cx + 38; ++x) {
            // Distances from the centre between pixels (cx - 0.5, cy - 0.5), doubled.
            const int dx = 2 * (x - cx) + 1, dy = 2 * (y - cy) + 1;
            const int r2 = dx * dx + dy * dy;
            if (r2 <= 4 * 37 * 37) {
                image.Set(x, y,
                          r2 >= 4 * 34 * 34 ? White : (r2 >= 4 * 33 * 33 ? LightGrey : DarkBlue));
            }
        }
    }
    // Post, foot and pivot.
    image.Fill(cx - 1, cy - 16, cx, cy + 20, White);
    image.Fill(cx - 5, cy + 19, cx + 4, cy + 20, White);
    image.Fill(cx - 8, cy + 21, cx + 7, cy + 22, White);
    image.Fill(cx - 3, cy - 19, cx + 2, cy - 16, White);
    // The beam, sinking to the left where the heavier block stands.
    for (int x = cx - 22; x <= cx + 21; ++x) {
        const int y = cy - 14 - (x - (cx - 22)) * 8 / 43;
        image.Fill(x, y, x, y + 1, White);
    }
    for (int side = 0; side < 2; ++side) {
        const int ex = side == 0 ? cx - 21 : cx + 20;
        const int ey = side == 0 ? cy - 13 : cy - 21;
        // Two cords to a shallow pan.
        for (int i = 0; i <= 12; ++i) {
            image.Set(ex - i / 2, ey + 2 + i, LightGrey);
            image.Set(ex + i / 2, ey + 2 + i, LightGrey);
        }
        const int panY = ey + 15;
        image.Fill(ex - 8, panY, ex + 8, panY + 1, White);
        image.Fill(ex - 5, panY + 2, ex + 5, panY + 2, White);
        // A block on the pan, in the colours of a piece.
        image.Fill(ex - 5, panY - 7, ex + 5, panY - 1, White);
        image.Fill(ex - 3, panY - 5, ex + 3, panY - 3, DarkBlue);
        if (side == 0) {  // the heavier side holds two blocks
            image.Fill(ex - 4, panY - 14, ex + 4, panY - 9, White);
            image.Fill(ex - 2, panY - 12, ex + 2, panY - 11, DarkBlue);
        }
    }
    // The name on a sign under the medallion.
    const Mask name = RenderText(Font::Small, "KESTRAVO");
    Plaque(image, cx - name.width / 2 - 5, cy + 43, cx - name.width / 2 + name.width + 4, cy + 55);
    CentredText(image, name, cx, cy + 46, White);
    CentredText(image, RenderText(Font::Small, "WORKS"), cx, cy + 62, White);
    image.Fill(cx - 32, cy + 65, cx - 19, cy + 65, White);
    image.Fill(cx + 18, cy + 65, cx + 31, cy + 65, White);
}

void BlackBox(Image& image, const Box& b) {
    image.Fill(b.x0, b.y0, b.x1, b.y1, Black);
}

Image DrawBackground() {
    Image bg(480, 336);
    for (int y = 0; y < 336; ++y) {
        for (int x = 0; x < 480; ++x) {
            bg.Set(x, y, BrickAt(x, y));
        }
    }
    BlackBox(bg, kWell);
    BlackBox(bg, kPreviewNext);
    BlackBox(bg, kPreviewLater);
    BlackBox(bg, kLevelBox);
    BlackBox(bg, kScoreBox);
    const Mask& caption = Caption();
    for (int c = 1; c <= 6; ++c) {
        const Box b = WeightBox(c);
        BlackBox(bg, b);
        // The read-out covers x 80 + 40c to 99 + 40c with glyph rows 1..10 from y 297.
        Stamp(bg, caption, b.x1 - 3 - caption.width + 1, 303, LightGrey);
    }
    for (int c = 1; c <= 5; c += 2) {
        const Box b = DifferenceBox(c);
        BlackBox(bg, b);
        Stamp(bg, caption, b.x1 - 3 - caption.width + 1, 323, LightGrey);
    }
    Label(bg, "NEXT", 426, kPreviewNext.y0);
    Label(bg, "LEVEL", 420, kLevelBox.y0);
    Label(bg, "SCORE", 420, kScoreBox.y0);
    Title(bg);
    Logo(bg);
    return bg;
}

// Icons: the balance of the game (plates on top, stems down to a beam, a post to the floor),
// tilted by the two blocks on its left plate against the one on its right.
Artwork::IconImage DrawIcon(int size, bool opaque) {
    Artwork::IconImage icon{Image(size, size, Black),
                            Mask{size, size, std::vector<bool>(std::size_t(size * size), !opaque)}};
    auto fill = [&](int x0, int y0, int x1, int y1, std::uint8_t colour) {
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                if (x >= 0 && y >= 0 && x < size && y < size) {
                    icon.picture.Set(x, y, colour);
                    icon.transparent.ink[std::size_t(y * size + x)] = false;
                }
            }
        }
    };
    auto block = [&](int x0, int y0, int x1, int y1, int value, char digit) {
        fill(x0, y0, x1, y1, kBlocks[value].face);
        fill(x0, y0, x1 - 1, y0, White);
        fill(x0, y0, x0, y1 - 1, White);
        fill(x0 + 1, y1, x1, y1, kBlocks[value].shade);
        fill(x1, y0, x1, y1, kBlocks[value].shade);
        if (digit != 0) {
            const Mask d = RenderText(Font::Tiny, std::string_view(&digit, 1));
            for (int y = 0; y < d.height; ++y) {
                for (int x = 0; x < d.width; ++x) {
                    if (d.At(x, y))
                        fill(x0 + 5 + x, y0 + 1 + y, x0 + 5 + x, y0 + 1 + y, Black);
                }
            }
        }
    };
    // The beam from the left foot (x0, y0) to the right foot (x1, y1), 2 pixels high.
    auto beam = [&](int x0, int y0, int x1, int y1, int thick) {
        for (int x = x0; x <= x1; ++x) {
            const int y = y0 + ((y1 - y0) * (x - x0) * 2 + (x1 - x0)) / (2 * (x1 - x0));
            fill(x, y, x, y + thick - 1, LightGrey);
        }
    };
    if (opaque) {
        // The file's icon stands on the black of the well, framed in grey.
        fill(0, 0, size - 1, size - 1, Black);
        fill(1, 0, size - 2, 0, Grey);
        fill(1, size - 1, size - 2, size - 1, Grey);
        fill(0, 1, 0, size - 2, Grey);
        fill(size - 1, 1, size - 1, size - 2, Grey);
    }
    if (size == 32) {
        const int m = opaque ? 1 : 0;  // keep clear of the frame
        block(2 + m, 5, 13, 11, 4, '4');
        block(2 + m, 12, 13, 18, 3, '3');
        block(18, 7, 29 - m, 13, 2, '2');
        fill(1 + m, 19, 14, 20, LightGrey);
        fill(17, 14, 30 - m, 15, LightGrey);
        fill(7, 21, 8, 23, LightGrey);
        fill(23, 16, 24, 17, LightGrey);
        beam(7, 24, 24, 18, 2);
        fill(15, 21, 16, 29, LightGrey);
        fill(14, 20, 17, 20, White);
        fill(12, 28, 19, 28, LightGrey);
        fill(10, 29, 21, 29, LightGrey);
        fill(9, 30, 22, 30 - m, LightGrey);
    } else {
        block(1, 2, 6, 5, 4, 0);
        block(1, 6, 6, 9, 3, 0);
        block(9, 4, 14, 7, 2, 0);
        fill(0 + opaque, 10, 7, 10, LightGrey);
        fill(8, 8, 15 - opaque, 8, LightGrey);
        fill(3, 11, 3, 12, LightGrey);
        fill(12, 9, 12, 9, LightGrey);
        beam(3, 13, 12, 10, 1);
        fill(7, 12, 8, 14, LightGrey);
        fill(4 + opaque, 14 + opaque, 11 - opaque, 14 + opaque, LightGrey);
    }
    return icon;
}

}  // namespace

std::uint8_t BrickAt(int x, int y) {
    // Courses of 8 rows (7 of brick, 1 of mortar); bricks 20 wide, every other course offset by
    // half a brick. The upper two courses repeat every 40 pixels, so the wall cap tile matches
    // the wall above every column.
    const int course = y / 8;
    const int row = y % 8;
    const int shifted = x + (course % 2 == 1 ? 10 : 0);
    const int col = shifted % 20;
    if (row == 7 || col == 19) {
        return Olive;
    }
    const int brick = shifted / 20;
    const unsigned h =
        Hash(static_cast<unsigned>(course < 2 ? brick % 2 : brick), static_cast<unsigned>(course));
    // Lit top edge, and a few specks that differ from brick to brick.
    if (row == 0 && col < 18) {
        return (h & 1u) ? Red : DarkRed;
    }
    const unsigned speck = Hash(h, static_cast<unsigned>(row * 20 + col));
    return speck % 41u == 0 ? Red : DarkRed;
}

Artwork DrawArtwork() {
    Artwork art;
    art.tiles = DrawTiles();
    art.banner = DrawBanner();
    art.pans = DrawPans();
    art.glyphs = DrawGlyphs();
    art.background = DrawBackground();
    art.fileIcon = {DrawIcon(32, true), DrawIcon(16, true)};
    art.windowIcon = {DrawIcon(32, false), DrawIcon(16, false)};
    // The wall cap must equal the wall above every playing column.
    for (int c = 0; c < 6; ++c) {
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 40; ++x) {
                if (art.background.At(120 + 40 * c + x, y) != art.tiles.At(x, 240 + y)) {
                    Fail("the wall cap differs from the wall above a column");
                }
            }
        }
    }
    return art;
}

}  // namespace artgen
