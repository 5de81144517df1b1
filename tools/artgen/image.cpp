// Indexed pictures, the two colour tables and the BMP and ICO encodings.
#include <cstdlib>
#include <iostream>

#include "art.h"

namespace artgen {

namespace {

Palette MakePalette(std::uint8_t dark) {
    return {{{0, 0, 0},
             {dark, 0, 0},
             {0, dark, 0},
             {dark, dark, 0},
             {0, 0, dark},
             {dark, 0, dark},
             {0, dark, dark},
             {192, 192, 192},
             {128, 128, 128},
             {255, 0, 0},
             {0, 255, 0},
             {255, 255, 0},
             {0, 0, 255},
             {255, 0, 255},
             {0, 255, 255},
             {255, 255, 255}}};
}

void Put16(std::vector<std::uint8_t>& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

int RowBytes4(int width) {
    return ((width * 4 + 31) / 32) * 4;
}
int RowBytes1(int width) {
    return ((width + 31) / 32) * 4;
}

// BITMAPINFOHEADER, the 16-entry colour table and the 4-bit rows, bottom-up.
void PutDib(std::vector<std::uint8_t>& out, const Image& image, const Palette& palette,
            int headerHeight, std::uint32_t imageBytes) {
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(image.Width()));
    Put32(out, static_cast<std::uint32_t>(headerHeight));
    Put16(out, 1);  // planes
    Put16(out, 4);  // bits per pixel
    Put32(out, 0);  // no compression
    Put32(out, imageBytes);
    Put32(out, 0);   // horizontal resolution not given
    Put32(out, 0);   // vertical resolution not given
    Put32(out, 16);  // colours used
    Put32(out, 0);   // all colours important
    for (const Rgb& c : palette) {
        out.push_back(c.b);
        out.push_back(c.g);
        out.push_back(c.r);
        out.push_back(0);
    }
    const int rowBytes = RowBytes4(image.Width());
    for (int y = image.Height() - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(static_cast<std::size_t>(rowBytes), 0);
        for (int x = 0; x < image.Width(); ++x) {
            const std::uint8_t v = image.At(x, y) & 0x0F;
            row[static_cast<std::size_t>(x / 2)] |=
                static_cast<std::uint8_t>((x % 2 == 0) ? (v << 4) : v);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
}

}  // namespace

Palette SheetPalette() {
    return MakePalette(191);
}
Palette GlyphPalette() {
    return MakePalette(128);
}

Image::Image(int width, int height, std::uint8_t fill)
    : width_(width),
      height_(height),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill) {}

std::size_t Image::Index(int x, int y) const {
    if (!Contains(x, y)) {
        std::cerr << "artgen: pixel (" << x << ", " << y << ") outside a " << width_ << " x "
                  << height_ << " picture\n";
        std::abort();
    }
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
           static_cast<std::size_t>(x);
}

void Image::Set(int x, int y, std::uint8_t colour) {
    if (Contains(x, y)) {
        pixels_[Index(x, y)] = colour;
    }
}

void Image::Fill(int x0, int y0, int x1, int y1, std::uint8_t colour) {
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            Set(x, y, colour);
        }
    }
}

void Image::Blit(const Image& source, int sx, int sy, int w, int h, int dx, int dy) {
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (source.Contains(sx + x, sy + y)) {
                Set(dx + x, dy + y, source.At(sx + x, sy + y));
            }
        }
    }
}

Image Image::Crop(int x, int y, int w, int h) const {
    Image out(w, h);
    out.Blit(*this, x, y, w, h, 0, 0);
    return out;
}

std::vector<std::uint8_t> EncodeBmp(const Image& image, const Palette& palette) {
    const std::uint32_t imageBytes =
        static_cast<std::uint32_t>(RowBytes4(image.Width()) * image.Height());
    const std::uint32_t offset = 14 + 40 + 16 * 4;
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, offset + imageBytes);
    Put16(out, 0);
    Put16(out, 0);
    Put32(out, offset);
    PutDib(out, image, palette, image.Height(), imageBytes);
    return out;
}

std::vector<std::uint8_t> EncodeIco(const std::vector<Artwork::IconImage>& images,
                                    const Palette& palette) {
    std::vector<std::vector<std::uint8_t>> bodies;
    for (const Artwork::IconImage& icon : images) {
        const int w = icon.picture.Width();
        const int h = icon.picture.Height();
        const std::uint32_t xorBytes = static_cast<std::uint32_t>(RowBytes4(w) * h);
        const std::uint32_t andBytes = static_cast<std::uint32_t>(RowBytes1(w) * h);
        std::vector<std::uint8_t> body;
        // An icon's header counts the colour rows and the mask rows together.
        PutDib(body, icon.picture, palette, 2 * h, xorBytes + andBytes);
        for (int y = h - 1; y >= 0; --y) {
            std::vector<std::uint8_t> row(static_cast<std::size_t>(RowBytes1(w)), 0);
            for (int x = 0; x < w; ++x) {
                if (icon.transparent.At(x, y)) {
                    row[static_cast<std::size_t>(x / 8)] |=
                        static_cast<std::uint8_t>(0x80 >> (x % 8));
                }
            }
            body.insert(body.end(), row.begin(), row.end());
        }
        bodies.push_back(std::move(body));
    }
    std::vector<std::uint8_t> out;
    Put16(out, 0);  // reserved
    Put16(out, 1);  // icon
    Put16(out, static_cast<unsigned>(images.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        out.push_back(static_cast<std::uint8_t>(images[i].picture.Width()));
        out.push_back(static_cast<std::uint8_t>(images[i].picture.Height()));
        out.push_back(16);  // colours
        out.push_back(0);
        Put16(out, 1);  // planes
        Put16(out, 4);  // bits per pixel
        Put32(out, static_cast<std::uint32_t>(bodies[i].size()));
        Put32(out, offset);
        offset += static_cast<std::uint32_t>(bodies[i].size());
    }
    for (const auto& body : bodies) {
        out.insert(out.end(), body.begin(), body.end());
    }
    return out;
}

}  // namespace artgen
