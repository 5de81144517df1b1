// The menu tree and the accelerator table, loaded from the program's menu and accelerator
// resources through the shared parsers.
#include "shell/platform/w_menu.h"

#include <cstring>
#include <new>

#include "shell/platform/resfile/res_accelerator.h"
#include "shell/platform/resfile/res_directory.h"
#include "shell/platform/resfile/res_menu.h"

namespace {

void CopyText(char* to, size_t capacity, const char* from) {
    if (from == nullptr) {
        from = "";
    }
    size_t length = std::strlen(from);
    if (length > capacity - 1) {
        length = capacity - 1;
        // Never cut a UTF-8 sequence in two.
        while (length > 0 && (static_cast<unsigned char>(from[length]) & 0xC0) == 0x80) {
            --length;
        }
    }
    std::memcpy(to, from, length);
    to[length] = '\0';
}

void DeleteEntry(const WMenuEntry& entry) {
    delete entry.popup;
    delete entry.item;
}

// Builds the entries of one level of the parsed menu into popup, starting at index *at; answers
// false when an object cannot be allocated or the popup is full.
bool BuildLevel(const ResMenu& menu, int* at, uint8_t depth, WPopupMenu* popup) {
    while (*at < menu.count && menu.entries[*at].depth == depth) {
        const ResMenuEntry& e = menu.entries[(*at)++];
        WMenuEntry entry;
        if (e.popup) {
            entry.popup = new (std::nothrow) WPopupMenu(e.text);
            if (entry.popup == nullptr) {
                return false;
            }
            if (!popup->Append(entry)) {
                DeleteEntry(entry);
                return false;
            }
            if (!BuildLevel(menu, at, static_cast<uint8_t>(depth + 1), entry.popup)) {
                return false;
            }
            continue;
        }
        if (!e.separator) {
            entry.item = new (std::nothrow) WMenuItem(e.commandId, e.text);
            if (entry.item == nullptr) {
                return false;
            }
        }
        if (!popup->Append(entry)) {
            DeleteEntry(entry);
            return false;
        }
    }
    return true;
}

}  // namespace

WMenuItem::WMenuItem(uint32_t commandId, const char* text) : commandId_(commandId) {
    CopyText(text_, sizeof text_, text);
}

WPopupMenu::WPopupMenu(const char* text) {
    CopyText(text_, sizeof text_, text);
}

WPopupMenu::~WPopupMenu() {
    Clear();
}

void WPopupMenu::Clear() {
    for (int i = 0; i < count_; ++i) {
        DeleteEntry(entries_[i]);
        entries_[i] = WMenuEntry{};
    }
    count_ = 0;
}

WPopupMenu* WPopupMenu::PopupAt(int index) const {
    if (index < 0 || index >= count_) {
        return nullptr;
    }
    return entries_[index].popup;
}

WMenuItem* WPopupMenu::FindItem(uint32_t commandId) const {
    for (int i = 0; i < count_; ++i) {
        if (entries_[i].item != nullptr && entries_[i].item->CommandId() == commandId) {
            return entries_[i].item;
        }
        if (entries_[i].popup != nullptr) {
            if (WMenuItem* found = entries_[i].popup->FindItem(commandId)) {
                return found;
            }
        }
    }
    return nullptr;
}

bool WPopupMenu::Append(WMenuEntry entry) {
    if (count_ == MaxEntries) {
        return false;
    }
    entries_[count_++] = entry;
    return true;
}

WMenu::WMenu() = default;

WMenu::~WMenu() = default;

bool WMenu::Load(uint32_t menuId) {
    root_.Clear();
    accelerators_ = WAcceleratorTable{};
    ResBytes bytes;
    if (menuId > 0xFFFF || !FindProgramResource(RtMenu, static_cast<uint16_t>(menuId), &bytes)) {
        return false;
    }
    ResMenu parsed;
    if (!ParseMenu(bytes.data, bytes.size, &parsed)) {
        return false;
    }
    int at = 0;
    if (!BuildLevel(parsed, &at, 0, &root_)) {
        root_.Clear();
        return false;
    }
    // A menu without its accelerator table still works from the menu.
    accelerators_.Load(menuId);
    return true;
}

int WMenu::Count() const {
    return root_.Count();
}

const WMenuEntry& WMenu::EntryAt(int index) const {
    return root_.EntryAt(index);
}

WPopupMenu* WMenu::PopupAt(int index) const {
    return root_.PopupAt(index);
}

WMenuItem* WMenu::FindItem(uint32_t commandId) const {
    return root_.FindItem(commandId);
}

bool WMenu::Choose(uint32_t commandId) {
    WMenuItem* item = FindItem(commandId);
    if (item == nullptr) {
        return false;
    }
    WEventData data;
    item->Raise(WEventId::Click, &data);
    return true;
}

bool WAcceleratorTable::Load(uint32_t resourceId) {
    count_ = 0;
    ResBytes bytes;
    if (resourceId > 0xFFFF ||
        !FindProgramResource(RtAccelerator, static_cast<uint16_t>(resourceId), &bytes)) {
        return false;
    }
    ResAcceleratorTable parsed;
    if (!ParseAcceleratorTable(bytes.data, bytes.size, &parsed) || parsed.count > MaxEntries) {
        return false;
    }
    for (int i = 0; i < parsed.count; ++i) {
        const ResAcceleratorEntry& e = parsed.entries[i];
        WAccelerator a;
        a.commandId = e.commandId;
        if ((e.flags & FVirtKey) != 0) {
            a.virtualKey = e.key;
            a.control = (e.flags & FControl) != 0;
            a.shift = (e.flags & FShift) != 0;
            a.alt = (e.flags & FAlt) != 0;
        } else if (e.key >= 1 && e.key <= 26) {
            // A character accelerator "^E" is the control character; the key is the letter.
            a.virtualKey = e.key + 'A' - 1;
            a.control = true;
        } else if (e.key >= 'a' && e.key <= 'z') {
            a.virtualKey = e.key - 'a' + 'A';
        } else if (e.key >= 'A' && e.key <= 'Z') {
            a.virtualKey = e.key;
            a.shift = true;
        } else {
            a.virtualKey = e.key;
        }
        entries_[count_++] = a;
    }
    return true;
}

uint32_t WAcceleratorTable::Find(uint32_t virtualKey, bool control, bool shift, bool alt) const {
    for (int i = 0; i < count_; ++i) {
        const WAccelerator& a = entries_[i];
        if (a.virtualKey == virtualKey && a.control == control && a.shift == shift &&
            a.alt == alt) {
            return a.commandId;
        }
    }
    return 0;
}
