// Accelerator entries: WORD flags; WORD key; WORD command id; WORD padding. The entry whose
// flags carry 0x80 is the last; bytes after it are not part of the table.
#include "shell/platform/resfile/res_accelerator.h"

#include "shell/platform/resfile/res_reader.h"

bool ParseAcceleratorTable(const uint8_t* data, size_t size, ResAcceleratorTable* out) {
    if (out == nullptr) {
        return false;
    }
    out->count = 0;
    ResReader in(data, size);
    for (int count = 0; count < ResAcceleratorTable::MaxEntries; ++count) {
        ResAcceleratorEntry entry;
        const uint16_t flags = in.U16();
        entry.flags = flags & static_cast<uint16_t>(~AccelLast);
        entry.key = in.U16();
        entry.commandId = in.U16();
        in.U16();  // padding
        if (!in.Ok()) {
            return false;
        }
        out->entries[count] = entry;
        if ((flags & AccelLast) != 0) {
            out->count = count + 1;
            return true;
        }
    }
    return false;
}
