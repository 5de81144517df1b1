// The artwork generator: every picture of the game drawn from code, as 16-colour indexed images.
#ifndef VANTOREL_ARTGEN_ART_H
#define VANTOREL_ARTGEN_ART_H

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace artgen {

// Indices of the 16-colour set that every sheet uses.
enum Colour : std::uint8_t {
    Black = 0,
    DarkRed = 1,
    DarkGreen = 2,
    Olive = 3,
    DarkBlue = 4,
    Purple = 5,
    Teal = 6,
    LightGrey = 7,
    Grey = 8,
    Red = 9,
    Green = 10,
    Yellow = 11,
    Blue = 12,
    Magenta = 13,
    Cyan = 14,
    White = 15,
};

struct Rgb {
    std::uint8_t r, g, b;
};
using Palette = std::array<Rgb, 16>;

// The standard set with 191 for the dark shades (tiles, pans, banner, background).
Palette SheetPalette();
// The same set with 128 for the dark shades (the glyph sheet and the icons).
Palette GlyphPalette();

// A picture of palette indices, row 0 at the top.
class Image {
  public:
    Image() = default;
    Image(int width, int height, std::uint8_t fill = Black);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    std::uint8_t At(int x, int y) const { return pixels_[Index(x, y)]; }
    // Writes a pixel; positions outside the picture are ignored.
    void Set(int x, int y, std::uint8_t colour);
    void Fill(int x0, int y0, int x1, int y1, std::uint8_t colour);  // inclusive bounds
    void Blit(const Image& source, int sx, int sy, int w, int h, int dx, int dy);
    Image Crop(int x, int y, int w, int h) const;

  private:
    std::size_t Index(int x, int y) const;
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t> pixels_;
};

// A one-bit shape (ink true), used for lettering before it is coloured.
struct Mask {
    int width = 0;
    int height = 0;
    std::vector<bool> ink;
    bool At(int x, int y) const {
        return x >= 0 && y >= 0 && x < width && y < height && ink[y * width + x];
    }
};

// Pixel fonts, all drawn in code.
enum class Font {
    Tiny,    // 3 x 5, the caption of the weights
    Small,   // 5 x 7, upper and lower case
    Digits,  // 7 x 10, digits and signs of the glyph sheet and the tiles
    Banner,  // 7 x 7 capitals, drawn at three times their size and smoothed
};
// Lays out text in the font (one column of space between characters) as a one-bit shape.
Mask RenderText(Font font, std::string_view text, int spacing = 1);
// Doubles (scale 2) or triples (scale 3) a shape with the edge-smoothing EPX rules.
Mask SmoothScale(const Mask& shape, int scale);
// Paints the ink of a shape at (x, y).
void Stamp(Image& image, const Mask& shape, int x, int y, std::uint8_t colour);

// The sheets and icons of the game.
struct Artwork {
    Image tiles;       // bitmap 100, 40 x 256
    Image banner;      // bitmap 101, 240 x 46
    Image pans;        // bitmap 102, 400 x 64
    Image glyphs;      // bitmap 103, 150 x 12
    Image background;  // bitmap 104, 480 x 336
    // Icon groups 100 (the file) and 101 (the window); each holds a 32 x 32 and a 16 x 16
    // picture, with a transparency mask (true = transparent).
    struct IconImage {
        Image picture;
        Mask transparent;
    };
    std::vector<IconImage> fileIcon;
    std::vector<IconImage> windowIcon;
};
Artwork DrawArtwork();

// The brick wall of the background, also the wall cap tile.
std::uint8_t BrickAt(int x, int y);

// File encodings.
std::vector<std::uint8_t> EncodeBmp(const Image& image, const Palette& palette);
std::vector<std::uint8_t> EncodeIco(const std::vector<Artwork::IconImage>& images,
                                    const Palette& palette);
// An RGB picture of everything (sheets enlarged and a composed game screen), as PNG.
bool WriteContactSheet(const Artwork& art, const std::string& path);

}  // namespace artgen

#endif
