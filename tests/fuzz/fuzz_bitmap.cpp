// Fuzzing the decoding of device-independent bitmaps: bitmap resources (DecodeDib), icon images
// (DecodeIconDib), and the way from bytes to a WBitmap of the software canvas and onto a frame.
// The first byte chooses the way: 0 a bitmap, 1 an icon image, 2 a bitmap made a WBitmap and
// blitted onto a small frame with every raster operation at positions taken from the input's
// last bytes (negative and beyond the edges included), 3 an icon group made a WIcon: the next
// byte is the group's length, the group follows, and the rest is the image of every icon the
// group names.
//
// Checked besides the sanitizers: a refused picture decodes to nothing; an accepted one has
// sides within the limits and exactly width x height x channels bytes.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "shell/platform/resfile/dib_image.h"
#include "shell/platform/soft/soft_resources.h"
#include "shell/platform/soft/soft_surface.h"

namespace {

[[noreturn]] void Broken(const char* what) {
    std::fprintf(stderr, "fuzz_bitmap: %s\n", what);
    std::abort();
}

void Check(bool accepted, const DibPixels& image, int32_t channels) {
    if (!accepted) {
        if (image.width != 0 || image.height != 0 || !image.pixels.empty()) {
            Broken("a refused picture left pixels");
        }
        return;
    }
    if (image.width < 1 || image.height < 1 || image.width > DibMaxSide ||
        image.height > DibMaxSide ||
        static_cast<int64_t>(image.width) * image.height > DibMaxPixels) {
        Broken("decoded sides outside the limits");
    }
    if (image.channels != channels ||
        image.pixels.size() != static_cast<size_t>(image.width) * image.height * channels) {
        Broken("decoded pixels do not match the sides");
    }
}

int32_t Signed(const uint8_t* p) {
    return static_cast<int8_t>(p[0]) * 4 + (p[1] & 3);
}

void BlitOntoFrame(const uint8_t* data, size_t size, const uint8_t* tail) {
    WBitmap bitmap;
    const bool accepted = SoftBitmapFromDib(bitmap, data, size);
    Check(accepted, SoftBitmapPixels(bitmap), 3);
    if (accepted != bitmap.Loaded()) {
        Broken("a decoded bitmap is not loaded");
    }
    static uint8_t rgb[64 * 48 * 3];
    SoftSurface surface{64, 48, rgb};
    const WRect destination{Signed(tail), Signed(tail + 2), Signed(tail + 4), Signed(tail + 6)};
    const WRect source{Signed(tail + 8), Signed(tail + 10), Signed(tail + 12), Signed(tail + 14)};
    for (WRop rop : {WRop::SrcCopy, WRop::SrcAnd, WRop::SrcPaint}) {
        for (bool stretch : {false, true}) {
            WRect changed{};
            (void)SoftBlit(surface, bitmap, destination, source, stretch, rop, &changed);
            if (changed.width != 0 &&
                (changed.x < 0 || changed.y < 0 || changed.x + changed.width > surface.width ||
                 changed.y + changed.height > surface.height)) {
                Broken("a blit reports a change outside the frame");
            }
        }
    }
}

// The image that every icon of the group under test is found as.
const uint8_t* iconImage = nullptr;
size_t iconImageSize = 0;

bool FindIconImage(uint16_t /*iconId*/, const uint8_t** data, size_t* size) {
    *data = iconImage;
    *size = iconImageSize;
    return true;
}

void IconFromGroup(const uint8_t* data, size_t size) {
    const size_t groupSize = size == 0 ? 0 : data[0] < size - 1 ? data[0] : size - 1;
    // Both parts in buffers of their own exact size.
    uint8_t* group = static_cast<uint8_t*>(std::malloc(groupSize == 0 ? 1 : groupSize));
    std::memcpy(group, data + (size == 0 ? 0 : 1), groupSize);
    iconImageSize = size == 0 ? 0 : size - 1 - groupSize;
    uint8_t* image = static_cast<uint8_t*>(std::malloc(iconImageSize == 0 ? 1 : iconImageSize));
    std::memcpy(image, data + (size == 0 ? 0 : 1 + groupSize), iconImageSize);
    iconImage = image;
    WIcon icon;
    const bool accepted = SoftIconFromGroup(icon, group, groupSize, &FindIconImage);
    int32_t width = 0;
    int32_t height = 0;
    const uint8_t* rgba = nullptr;
    if (accepted != icon.Loaded() || (accepted && (!SoftIconPixels(icon, &width, &height, &rgba) ||
                                                   width < 1 || height < 1 || rgba == nullptr))) {
        Broken("an icon made from a group does not answer its picture");
    }
    if (accepted) {
        // Every pixel is there to read.
        uint32_t sum = 0;
        for (int64_t i = 0; i < static_cast<int64_t>(width) * height * 4; ++i) {
            sum += rgba[i];
        }
        (void)sum;
    }
    std::free(group);
    std::free(image);
    iconImage = nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) {
        return 0;
    }
    const uint8_t way = data[0] % 4;
    if (way == 3) {
        IconFromGroup(data + 1, size - 1);
        return 0;
    }
    uint8_t tail[16] = {};
    size_t length = size - 1;
    if (way == 2) {
        const size_t taken = length < sizeof tail ? length : sizeof tail;
        std::memcpy(tail, data + 1 + length - taken, taken);
        length -= taken;
    }
    // Copied to a buffer of exactly the picture's size: one byte too far is caught.
    uint8_t* bytes = static_cast<uint8_t*>(std::malloc(length == 0 ? 1 : length));
    std::memcpy(bytes, data + 1, length);
    if (way == 0) {
        DibPixels image;
        Check(DecodeDib(bytes, length, &image), image, 3);
    } else if (way == 1) {
        DibPixels image;
        Check(DecodeIconDib(bytes, length, &image), image, 4);
    } else {
        BlitOntoFrame(bytes, length, tail);
    }
    std::free(bytes);
    return 0;
}
