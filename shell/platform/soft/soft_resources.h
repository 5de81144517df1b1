// What the software backends keep inside WBitmap, WIcon and WFont, and how a picture gets into
// them without the program's resources (tests, tools).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "shell/platform/resfile/dib_image.h"
#include "shell/platform/w_graphics.h"

// Every object holds its Impl from construction to destruction; empty while nothing is loaded.
struct WBitmap::Impl {
    DibPixels image;  // RGB
};

struct WIcon::Impl {
    DibPixels image;  // RGBA
};

struct WFont::Impl {
    std::string description;
    bool created = false;
};

// Replaces the bitmap's picture by a decoded packed DIB; a malformed one leaves it empty.
bool SoftBitmapFromDib(WBitmap& bitmap, const uint8_t* dib, size_t size);
// Replaces the icon's picture by the best image of an icon group (RT_GROUP_ICON bytes), each
// image found through find (the program's resources when null); the 32 x 32 image is the best,
// then the largest.
using SoftIconFinder = bool (*)(uint16_t iconId, const uint8_t** data, size_t* size);
bool SoftIconFromGroup(WIcon& icon, const uint8_t* group, size_t size, SoftIconFinder find);
// The decoded picture of a bitmap (empty while not loaded).
const DibPixels& SoftBitmapPixels(const WBitmap& bitmap);
// The description a font was created from ("" while not created).
const char* SoftFontDescription(const WFont& font);
