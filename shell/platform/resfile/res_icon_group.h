// Icon groups (RT_GROUP_ICON): GRPICONDIR with its 14-byte entries, each naming an RT_ICON.
#pragma once

#include <cstddef>
#include <cstdint>

struct ResIconGroupEntry {
    uint8_t width = 0;   // 0 stands for 256
    uint8_t height = 0;  // 0 stands for 256
    uint8_t colorCount = 0;
    uint16_t planes = 0;
    uint16_t bitCount = 0;
    uint32_t bytesInRes = 0;
    uint16_t iconId = 0;  // the RT_ICON resource with the image
};

struct ResIconGroup {
    int count = 0;
    ResIconGroupEntry entries[16];

    static constexpr int MaxEntries = 16;
};

// Parses a group; answers false (and leaves *out empty) unless the header reads reserved 0,
// type 1 and 1 to MaxEntries entries that all lie inside the bytes.
bool ParseIconGroup(const uint8_t* data, size_t size, ResIconGroup* out);
