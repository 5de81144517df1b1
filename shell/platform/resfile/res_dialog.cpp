// Dialog templates. Classic layout (all little-endian, items aligned to 4 bytes from the start):
//   DWORD style; DWORD exStyle; WORD itemCount; short x, y, cx, cy;
//   menu, class: empty | 0xFFFF ordinal | string;  caption: string;
//   with DS_SETFONT: WORD pointSize; string face;
//   per item: DWORD style; DWORD exStyle; short x, y, cx, cy; WORD id;
//             class: 0xFFFF ordinal | string;  text: 0xFFFF ordinal | string;
//             WORD extraCount; extraCount bytes of creation data.
// Extended layout: WORD version 1; WORD 0xFFFF; DWORD helpId; DWORD exStyle; DWORD style; then
// as above; the font adds WORD weight, BYTE italic, BYTE charSet before the face; items begin
// with DWORD helpId, DWORD exStyle, DWORD style and carry a DWORD id.
#include "shell/platform/resfile/res_dialog.h"

#include "shell/platform/resfile/res_reader.h"

namespace {

void ReadClass(ResReader& in, uint16_t* ordinal, char* name, size_t capacity) {
    const ResReader::NameOrOrdinal field = in.NameOrId(name, capacity);
    *ordinal = field.isOrdinal ? field.ordinal : 0;
}

bool ReadItem(ResReader& in, bool extended, ResDialogItem* item) {
    in.Align(4);
    if (extended) {
        in.U32();  // help id
        item->exStyle = in.U32();
        item->style = in.U32();
    } else {
        item->style = in.U32();
        item->exStyle = in.U32();
    }
    item->x = in.I16();
    item->y = in.I16();
    item->cx = in.I16();
    item->cy = in.I16();
    item->id = extended ? in.U32() : in.U16();
    ReadClass(in, &item->classOrdinal, item->className, sizeof item->className);
    const ResReader::NameOrOrdinal text = in.NameOrId(item->text, sizeof item->text);
    item->textIsOrdinal = text.isOrdinal;
    item->textOrdinal = text.ordinal;
    const uint16_t extra = in.U16();
    in.Skip(extra);
    return in.Ok();
}

}  // namespace

const ResDialogItem* ResDialogTemplate::FindItem(uint32_t id) const {
    for (int i = 0; i < itemCount; ++i) {
        if (items[i].id == id) {
            return &items[i];
        }
    }
    return nullptr;
}

bool ParseDialogTemplate(const uint8_t* data, size_t size, ResDialogTemplate* out) {
    if (out == nullptr) {
        return false;
    }
    *out = ResDialogTemplate{};
    ResDialogTemplate t;
    ResReader in(data, size);
    if (size >= 4 && data[0] == 1 && data[1] == 0 && data[2] == 0xFF && data[3] == 0xFF) {
        t.extended = true;
        in.Skip(4);
        in.U32();  // help id
        t.exStyle = in.U32();
        t.style = in.U32();
    } else if (size >= 4 && data[2] == 0xFF && data[3] == 0xFF) {
        return false;  // an extended template of a version this reader does not know
    } else {
        t.style = in.U32();
        t.exStyle = in.U32();
    }
    const uint16_t count = in.U16();
    t.x = in.I16();
    t.y = in.I16();
    t.cx = in.I16();
    t.cy = in.I16();
    if (!in.Ok() || count > ResDialogTemplate::MaxItems) {
        return false;
    }
    const ResReader::NameOrOrdinal menu = in.NameOrId(t.menuName, sizeof t.menuName);
    t.menuIsOrdinal = menu.isOrdinal;
    t.menuOrdinal = menu.ordinal;
    ReadClass(in, &t.classOrdinal, t.className, sizeof t.className);
    in.String(t.caption, sizeof t.caption);
    if ((t.style & DsSetFont) != 0) {
        t.hasFont = true;
        t.pointSize = in.U16();
        if (t.extended) {
            t.fontWeight = in.U16();
            t.italic = in.U8();
            t.charSet = in.U8();
        }
        in.String(t.fontFace, sizeof t.fontFace);
    }
    if (!in.Ok()) {
        return false;
    }
    for (int i = 0; i < count; ++i) {
        if (!ReadItem(in, t.extended, &t.items[i])) {
            return false;
        }
    }
    t.itemCount = count;
    *out = t;
    return true;
}
