// Fuzzing the parsers of the program's resource formats: the .res image directory and, for what
// it holds, the dialog template, menu, accelerator table and icon group parsers. The first byte
// chooses the way in: 0 the whole .res image (every resource the program looks up is handed to
// its parser), 1 to 4 one parser directly on the remaining bytes.
//
// Besides the sanitizers' watch over every read, each answer is checked: a parser that refuses
// leaves its record empty, one that accepts leaves counts within the record and every text
// terminated inside its field.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "res/resource_ids.h"
#include "shell/platform/resfile/res_accelerator.h"
#include "shell/platform/resfile/res_dialog.h"
#include "shell/platform/resfile/res_directory.h"
#include "shell/platform/resfile/res_icon_group.h"
#include "shell/platform/resfile/res_menu.h"

namespace {

[[noreturn]] void Broken(const char* what) {
    std::fprintf(stderr, "fuzz_resources: %s\n", what);
    std::abort();
}

template <size_t N>
void Terminated(const char (&text)[N], const char* what) {
    if (std::memchr(text, '\0', N) == nullptr) {
        Broken(what);
    }
}

void Dialog(const uint8_t* data, size_t size) {
    static ResDialogTemplate dialog;  // large; kept out of the stack
    dialog = ResDialogTemplate{};
    if (!ParseDialogTemplate(data, size, &dialog)) {
        if (dialog.itemCount != 0 || dialog.caption[0] != '\0' || dialog.hasFont) {
            Broken("a refused dialog template left its record filled");
        }
        return;
    }
    if (dialog.itemCount < 0 || dialog.itemCount > ResDialogTemplate::MaxItems) {
        Broken("dialog item count outside the record");
    }
    Terminated(dialog.menuName, "dialog menu name");
    Terminated(dialog.className, "dialog class name");
    Terminated(dialog.caption, "dialog caption");
    Terminated(dialog.fontFace, "dialog font face");
    for (int i = 0; i < dialog.itemCount; ++i) {
        Terminated(dialog.items[i].className, "dialog item class name");
        Terminated(dialog.items[i].text, "dialog item text");
        if (dialog.FindItem(dialog.items[i].id) == nullptr) {
            Broken("a parsed dialog item is not found by its id");
        }
    }
}

void Menu(const uint8_t* data, size_t size) {
    static ResMenu menu;
    menu = ResMenu{};
    if (!ParseMenu(data, size, &menu)) {
        if (menu.count != 0) {
            Broken("a refused menu left entries");
        }
        return;
    }
    if (menu.count < 0 || menu.count > ResMenu::MaxEntries) {
        Broken("menu entry count outside the record");
    }
    for (int i = 0; i < menu.count; ++i) {
        const ResMenuEntry& entry = menu.entries[i];
        Terminated(entry.text, "menu text");
        if (entry.depth > ResMenu::MaxDepth) {
            Broken("menu entry deeper than the record allows");
        }
        // An entry is at most one level below the one before it.
        if (i == 0 ? entry.depth != 0 : entry.depth > menu.entries[i - 1].depth + 1) {
            Broken("menu entry below no popup");
        }
        if (i > 0 && entry.depth == menu.entries[i - 1].depth + 1 && !menu.entries[i - 1].popup) {
            Broken("menu entries under an item that is no popup");
        }
    }
}

void Accelerators(const uint8_t* data, size_t size) {
    ResAcceleratorTable table;
    if (!ParseAcceleratorTable(data, size, &table)) {
        if (table.count != 0) {
            Broken("a refused accelerator table left entries");
        }
        return;
    }
    if (table.count < 0 || table.count > ResAcceleratorTable::MaxEntries) {
        Broken("accelerator count outside the record");
    }
    if (static_cast<size_t>(table.count) * 8 > size) {
        Broken("more accelerators than the bytes hold");
    }
}

void IconGroup(const uint8_t* data, size_t size) {
    ResIconGroup group;
    if (!ParseIconGroup(data, size, &group)) {
        if (group.count != 0) {
            Broken("a refused icon group left entries");
        }
        return;
    }
    if (group.count < 1 || group.count > ResIconGroup::MaxEntries) {
        Broken("icon group count outside 1..MaxEntries");
    }
    if (6 + static_cast<size_t>(group.count) * 14 > size) {
        Broken("more icon entries than the bytes hold");
    }
}

void Image(const uint8_t* data, size_t size) {
    static ResImage image;
    if (!image.Parse(data, size)) {
        return;
    }
    if (image.Count() < 0 || image.Count() > ResImage::MaxEntries) {
        Broken("resource count outside the directory");
    }
    struct Lookup {
        uint16_t type;
        uint16_t id;
        void (*parse)(const uint8_t*, size_t);
    };
    static const Lookup lookups[] = {
        {RtDialog, ID_Form1, Dialog},
        {RtDialog, ID_About, Dialog},
        {RtMenu, ID_Form1_menu_1, Menu},
        {RtAccelerator, ID_Form1_menu_1, Accelerators},
        {RtGroupIcon, ID_Icon_File, IconGroup},
        {RtGroupIcon, ID_Icon_Window, IconGroup},
        {RtBitmap, ID_Bitmap_Tiles, nullptr},
        {RtBitmap, ID_Bitmap_Background, nullptr},
        {RtIcon, 1, nullptr},
        {RtIcon, 2, nullptr},
    };
    for (const Lookup& lookup : lookups) {
        ResBytes bytes;
        if (!image.Find(lookup.type, lookup.id, &bytes)) {
            continue;
        }
        if (bytes.size > size || bytes.data < data || bytes.data + bytes.size > data + size) {
            Broken("a resource found outside the image's bytes");
        }
        if (lookup.parse != nullptr) {
            lookup.parse(bytes.data, bytes.size);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) {
        return 0;
    }
    // Copied, so that a read one byte past the end is caught even where the fuzzer's own buffer
    // would be larger.
    const size_t length = size - 1;
    uint8_t* bytes = static_cast<uint8_t*>(std::malloc(length == 0 ? 1 : length));
    std::memcpy(bytes, data + 1, length);
    switch (data[0] % 5) {
        case 0:
            Image(bytes, length);
            break;
        case 1:
            Dialog(bytes, length);
            break;
        case 2:
            Menu(bytes, length);
            break;
        case 3:
            Accelerators(bytes, length);
            break;
        default:
            IconGroup(bytes, length);
            break;
    }
    std::free(bytes);
    return 0;
}
