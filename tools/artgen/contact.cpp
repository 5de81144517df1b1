// The contact sheet: every sheet enlarged, and two composed game screens (a game in play and a
// lost game with its banner), to judge the artwork as a whole.
#include <png.h>

#include <cstdio>
#include <memory>

#include "art.h"

namespace artgen {

namespace {

static_assert(sizeof(Rgb) == 3, "PNG rows are written straight from the pixels");

struct RgbImage {
    int width, height;
    std::vector<Rgb> pixels;
    RgbImage(int w, int h, Rgb fill) : width(w), height(h), pixels(std::size_t(w) * h, fill) {}
    Rgb& At(int x, int y) { return pixels[std::size_t(y) * width + x]; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
};

enum class Rop { Copy, And, Or };

// A 1:1 blit of a sheet rectangle onto a screen, clipped on both sides.
void Blit(RgbImage& screen, const Image& sheet, const Palette& palette, int sx, int sy, int w,
          int h, int dx, int dy, Rop rop = Rop::Copy) {
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (!sheet.Contains(sx + x, sy + y) || !screen.Contains(dx + x, dy + y)) {
                continue;
            }
            const Rgb s = palette[sheet.At(sx + x, sy + y)];
            Rgb& d = screen.At(dx + x, dy + y);
            switch (rop) {
                case Rop::Copy:
                    d = s;
                    break;
                case Rop::And:
                    d = {std::uint8_t(d.r & s.r), std::uint8_t(d.g & s.g), std::uint8_t(d.b & s.b)};
                    break;
                case Rop::Or:
                    d = {std::uint8_t(d.r | s.r), std::uint8_t(d.g | s.g), std::uint8_t(d.b | s.b)};
                    break;
            }
        }
    }
}

void Enlarge(RgbImage& out, const RgbImage& in, int scale, int ox, int oy) {
    for (int y = 0; y < in.height * scale; ++y) {
        for (int x = 0; x < in.width * scale; ++x) {
            if (out.Contains(ox + x, oy + y)) {
                out.At(ox + x, oy + y) = in.pixels[std::size_t(y / scale) * in.width + x / scale];
            }
        }
    }
}

RgbImage ToRgb(const Image& image, const Palette& palette) {
    RgbImage out(image.Width(), image.Height(), {0, 0, 0});
    Blit(out, image, palette, 0, 0, image.Width(), image.Height(), 0, 0);
    return out;
}

void Text(RgbImage& screen, const Image& glyphs, std::string_view text, int x, int y) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        int g = ch - '0';
        if (ch == '?')
            g = 10;
        if (ch == '+')
            g = 11;
        if (ch == '-')
            g = 12;
        if (ch == '*')
            g = 13;
        if (ch == ' ')
            g = 14;
        Blit(screen, glyphs, GlyphPalette(), 10 * g, 0, 10, 12, x + 10 * int(i), y);
    }
}

// A game screen drawn the way the game draws it: background, pans, columns with wall caps,
// previews, read-outs, and optionally the falling piece or the finished banner.
RgbImage Screen(const Artwork& art, bool gameOver) {
    const Palette pal = SheetPalette();
    RgbImage screen(480, 336, {0, 0, 0});
    Blit(screen, art.background, pal, 0, 0, 480, 336, 0, 0);
    // Columns bottom-up (row 16 first); tilts of the left columns of the three scales.
    const char* columns[6] = {"2413", "115366", "6251", "443", "3365447", "2"};
    const char* lost[6] = {"2413627", "1153662", "62514", "4436", "336544712", "25"};
    const int tilts[6] = {-1, 1, 0, 0, 2, -2};
    const char** content = gameOver ? lost : columns;
    int weight[7] = {};
    for (int c = 1; c <= 6; ++c) {
        for (const char* p = content[c - 1]; *p; ++p)
            weight[c] += (*p == '7') ? 0 : *p - '0';
    }
    for (int c = 1; c <= 6; c += 2) {
        Blit(screen, art.pans, pal, 80 * (tilts[c - 1] + 2), 0, 80, 64, 80 + 40 * c, 224);
        for (int col = c; col <= c + 1; ++col) {
            const int x = 80 + 40 * col;
            int y = 224 + 8 * tilts[col - 1];
            const std::string_view cells = content[col - 1];
            for (int row = 16; row >= 2; --row) {
                const std::size_t k = std::size_t(16 - row);
                int v = k < cells.size() ? cells[k] - '0' : 0;
                if (!gameOver && col == 4 && row == 15)
                    v = 10;  // a group being removed
                if (!gameOver && col == 4 && row == 16)
                    v = 11;
                if (!gameOver && col == 3 && row == 16)
                    v = 11;
                Blit(screen, art.tiles, pal, 0, 16 * v, 40, 16, x, y);
                if (y < 16)
                    Blit(screen, art.tiles, pal, 0, 240, 40, 16, x, 0);
                y -= 16;
            }
        }
    }
    Blit(screen, art.tiles, pal, 0, 16 * 5, 40, 16, 413, 42);
    Blit(screen, art.tiles, pal, 0, 16 * 3, 40, 16, 400, 32);
    char buf[16];
    for (int c = 1; c <= 6; ++c) {
        std::snprintf(buf, sizeof buf, "%2d", weight[c]);
        Text(screen, art.glyphs, gameOver || c % 2 ? buf : "??", 80 + 40 * c, 297);
    }
    for (int c = 1; c <= 5; c += 2) {
        const int d = weight[c] - weight[c + 1];
        if (d > 0)
            std::snprintf(buf, sizeof buf, "+%2d", d);
        if (d < 0)
            std::snprintf(buf, sizeof buf, "-%2d", -d);
        if (d == 0)
            std::snprintf(buf, sizeof buf, "* 0");
        Text(screen, art.glyphs, buf, 139 + 40 * (c - 1), 317);
    }
    Text(screen, art.glyphs, gameOver ? "12" : " 7", 410, 97);
    Text(screen, art.glyphs, gameOver ? " 1203450" : "   48210", 380, 161);
    if (gameOver) {
        for (int n = 11; n >= 0; --n) {
            Blit(screen, art.banner, pal, 220 - 20 * n, 23, 20, 23, 340 - 20 * n, 106, Rop::And);
            Blit(screen, art.banner, pal, 220 - 20 * n, 0, 20, 23, 340 - 20 * n, 106, Rop::Or);
        }
    } else {
        Blit(screen, art.tiles, pal, 0, 16 * 2, 40, 16, 200, 8 * 9 - 32);
    }
    return screen;
}

RgbImage IconPicture(const Artwork::IconImage& icon) {
    RgbImage out(icon.picture.Width(), icon.picture.Height(), {0, 128, 128});
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
            if (!icon.transparent.At(x, y))
                out.At(x, y) = GlyphPalette()[icon.picture.At(x, y)];
        }
    }
    return out;
}

}  // namespace

bool WriteContactSheet(const Artwork& art, const std::string& path) {
    const Palette pal = SheetPalette();
    RgbImage sheet(1960, 1745, {40, 40, 48});
    Enlarge(sheet, Screen(art, false), 2, 10, 10);
    Enlarge(sheet, Screen(art, true), 2, 990, 10);
    Enlarge(sheet, ToRgb(art.tiles, pal), 3, 10, 700);
    Enlarge(sheet, ToRgb(art.pans, pal), 3, 150, 700);
    Enlarge(sheet, ToRgb(art.banner, pal), 3, 150, 910);
    Enlarge(sheet, ToRgb(art.glyphs, GlyphPalette()), 4, 900, 910);
    Enlarge(sheet, ToRgb(art.background, pal), 2, 150, 1060 - 0);
    int x = 1130;
    for (const auto* group : {&art.fileIcon, &art.windowIcon}) {
        for (const auto& icon : *group) {
            Enlarge(sheet, IconPicture(icon), 4, x, 1080);
            x += icon.picture.Width() * 4 + 20;
        }
    }

    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "wb"),
                                                         &std::fclose);
    if (!file)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file.get());
    png_set_IHDR(png, info, png_uint_32(sheet.width), png_uint_32(sheet.height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < sheet.height; ++y) {
        png_write_row(
            png, reinterpret_cast<png_const_bytep>(&sheet.pixels[std::size_t(y) * sheet.width]));
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace artgen
