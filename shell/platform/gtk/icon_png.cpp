// Writes an icon group of the program's resources as a PNG file, for the desktop's icon theme:
//   vantorel-icon-png GROUP-ID OUTPUT.png
// The picture is the group's 32 x 32 image (or its largest), decoded as the program decodes it.
#include <png.h>

#include <cstdio>
#include <cstdlib>

#include "shell/platform/soft/soft_surface.h"
#include "shell/platform/w_graphics.h"

namespace {

bool WritePng(const char* path, int32_t width, int32_t height, const uint8_t* rgba) {
    FILE* file = std::fopen(path, "wb");
    if (file == nullptr) {
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr || setjmp(png_jmpbuf(png)) != 0) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int32_t row = 0; row < height; ++row) {
        png_write_row(png, rgba + static_cast<size_t>(row) * width * 4);
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: vantorel-icon-png GROUP-ID OUTPUT.png\n");
        return 2;
    }
    char* end = nullptr;
    const unsigned long group = std::strtoul(argv[1], &end, 10);
    if (end == argv[1] || *end != '\0' || group > 0xFFFF) {
        std::fprintf(stderr, "vantorel-icon-png: not an icon group id: %s\n", argv[1]);
        return 2;
    }
    WIcon icon;
    int32_t width = 0;
    int32_t height = 0;
    const uint8_t* rgba = nullptr;
    if (!icon.Load(static_cast<uint32_t>(group)) || !SoftIconPixels(icon, &width, &height, &rgba) ||
        width <= 0 || height <= 0) {
        std::fprintf(stderr, "vantorel-icon-png: no icon group %lu in the resources\n", group);
        return 1;
    }
    if (!WritePng(argv[2], width, height, rgba)) {
        std::fprintf(stderr, "vantorel-icon-png: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
