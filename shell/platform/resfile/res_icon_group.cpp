// GRPICONDIR: WORD reserved 0; WORD type 1; WORD count; then per icon
// BYTE width, height, colorCount, reserved; WORD planes, bitCount; DWORD bytesInRes; WORD id.
#include "shell/platform/resfile/res_icon_group.h"

#include "shell/platform/resfile/res_reader.h"

bool ParseIconGroup(const uint8_t* data, size_t size, ResIconGroup* out) {
    if (out == nullptr) {
        return false;
    }
    out->count = 0;
    ResReader in(data, size);
    const uint16_t reserved = in.U16();
    const uint16_t type = in.U16();
    const uint16_t count = in.U16();
    if (!in.Ok() || reserved != 0 || type != 1 || count == 0 || count > ResIconGroup::MaxEntries ||
        in.Remaining() / 14 < count) {
        return false;
    }
    for (int i = 0; i < count; ++i) {
        ResIconGroupEntry& e = out->entries[i];
        e.width = in.U8();
        e.height = in.U8();
        e.colorCount = in.U8();
        in.U8();  // reserved
        e.planes = in.U16();
        e.bitCount = in.U16();
        e.bytesInRes = in.U32();
        e.iconId = in.U16();
    }
    if (!in.Ok()) {
        return false;
    }
    out->count = count;
    return true;
}
