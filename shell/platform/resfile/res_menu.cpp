// Classic menus: MENUHEADER (WORD version 0, WORD header size, then that many bytes), then the
// entries of the bar. An entry is WORD flags; a popup (MF_POPUP) continues with its text and
// then its own entries, an item with WORD command id and its text. MF_END marks the last entry
// of a level. A separator is an item with id 0 and an empty text (or the MF_SEPARATOR flag).
#include "shell/platform/resfile/res_menu.h"

#include "shell/platform/resfile/res_reader.h"

namespace {

// Reads the entries of one level, up to and including the one with MF_END.
bool ReadLevel(ResReader& in, int depth, ResMenu* menu) {
    if (depth >= ResMenu::MaxDepth) {
        return false;
    }
    for (;;) {
        if (menu->count == ResMenu::MaxEntries) {
            return false;
        }
        ResMenuEntry& entry = menu->entries[menu->count++];
        entry = ResMenuEntry{};
        entry.depth = static_cast<uint8_t>(depth);
        entry.flags = in.U16();
        entry.popup = (entry.flags & MfPopup) != 0;
        if (!entry.popup) {
            entry.commandId = in.U16();
        }
        in.String(entry.text, sizeof entry.text);
        if (!in.Ok()) {
            return false;
        }
        entry.separator = !entry.popup && ((entry.flags & MfSeparator) != 0 ||
                                           (entry.commandId == 0 && entry.text[0] == '\0'));
        if (entry.popup && !ReadLevel(in, depth + 1, menu)) {
            return false;
        }
        if ((entry.flags & MfEnd) != 0) {
            return true;
        }
    }
}

}  // namespace

bool ParseMenu(const uint8_t* data, size_t size, ResMenu* out) {
    if (out == nullptr) {
        return false;
    }
    out->count = 0;
    ResReader in(data, size);
    const uint16_t version = in.U16();
    const uint16_t headerSize = in.U16();
    in.Skip(headerSize);
    if (!in.Ok() || version != 0) {
        return false;
    }
    if (!ReadLevel(in, 0, out)) {
        out->count = 0;
        return false;
    }
    return true;
}
