// WBitmap, WIcon and WFont over the decoded resources of the program.
#include "shell/platform/soft/soft_resources.h"

#include "shell/platform/resfile/res_directory.h"
#include "shell/platform/resfile/res_icon_group.h"
#include "shell/platform/soft/soft_surface.h"

namespace {

bool FindProgramIcon(uint16_t iconId, const uint8_t** data, size_t* size) {
    ResBytes bytes;
    if (!FindProgramResource(RtIcon, iconId, &bytes)) {
        return false;
    }
    *data = bytes.data;
    *size = bytes.size;
    return true;
}

}  // namespace

// --- WBitmap ---

WBitmap::WBitmap() : impl_(new Impl) {}
WBitmap::~WBitmap() {
    delete impl_;
}

bool WBitmap::Load(uint32_t resourceId) {
    Release();
    ResBytes bytes;
    if (resourceId > 0xFFFF ||
        !FindProgramResource(RtBitmap, static_cast<uint16_t>(resourceId), &bytes)) {
        return false;
    }
    return SoftBitmapFromDib(*this, bytes.data, bytes.size);
}

void WBitmap::Release() {
    impl_->image = DibPixels{};
}
bool WBitmap::Loaded() const {
    return impl_->image.width > 0;
}
int32_t WBitmap::Width() const {
    return impl_->image.width;
}
int32_t WBitmap::Height() const {
    return impl_->image.height;
}

bool SoftBitmapFromDib(WBitmap& bitmap, const uint8_t* dib, size_t size) {
    return DecodeDib(dib, size, &bitmap.impl()->image);
}

const DibPixels& SoftBitmapPixels(const WBitmap& bitmap) {
    return bitmap.impl()->image;
}

// --- WIcon ---

WIcon::WIcon() : impl_(new Impl) {}
WIcon::~WIcon() {
    delete impl_;
}

bool WIcon::Load(uint32_t groupId) {
    impl_->image = DibPixels{};
    ResBytes bytes;
    if (groupId > 0xFFFF ||
        !FindProgramResource(RtGroupIcon, static_cast<uint16_t>(groupId), &bytes)) {
        return false;
    }
    return SoftIconFromGroup(*this, bytes.data, bytes.size, &FindProgramIcon);
}

bool WIcon::Loaded() const {
    return impl_->image.width > 0;
}

bool SoftIconFromGroup(WIcon& icon, const uint8_t* group, size_t size, SoftIconFinder find) {
    DibPixels& image = icon.impl()->image;
    image = DibPixels{};
    if (find == nullptr) {
        find = &FindProgramIcon;
    }
    ResIconGroup parsed;
    if (group == nullptr || !ParseIconGroup(group, size, &parsed)) {
        return false;
    }
    // Try the entries from the best down until one decodes: 32 x 32 first (the deepest colour
    // first), then by size.
    bool tried[ResIconGroup::MaxEntries] = {};
    for (int attempt = 0; attempt < parsed.count; ++attempt) {
        int best = -1;
        int64_t bestRank = -1;
        for (int i = 0; i < parsed.count; ++i) {
            if (tried[i]) {
                continue;
            }
            const ResIconGroupEntry& entry = parsed.entries[i];
            const int64_t w = entry.width == 0 ? 256 : entry.width;
            const int64_t h = entry.height == 0 ? 256 : entry.height;
            const int64_t rank =
                (w == 32 && h == 32 ? int64_t{1} << 40 : 0) + (w * h << 8) + entry.bitCount;
            if (rank > bestRank) {
                bestRank = rank;
                best = i;
            }
        }
        tried[best] = true;
        const uint8_t* data = nullptr;
        size_t dataSize = 0;
        if (find(parsed.entries[best].iconId, &data, &dataSize) &&
            DecodeIconDib(data, dataSize, &image)) {
            return true;
        }
    }
    return false;
}

bool SoftIconPixels(const WIcon& icon, int32_t* width, int32_t* height, const uint8_t** rgba) {
    const DibPixels& image = icon.impl()->image;
    if (image.width <= 0) {
        return false;
    }
    *width = image.width;
    *height = image.height;
    *rgba = image.pixels.data();
    return true;
}

// --- WFont ---

WFont::WFont() : impl_(new Impl) {}
WFont::~WFont() {
    delete impl_;
}

bool WFont::Create(const char* description) {
    impl_->created = description != nullptr && description[0] != '\0';
    impl_->description = impl_->created ? description : "";
    return impl_->created;
}

bool WFont::Created() const {
    return impl_->created;
}

const char* SoftFontDescription(const WFont& font) {
    return font.impl()->description.c_str();
}
