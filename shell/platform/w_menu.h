// Menus loaded from the executable's menu resources, with their accelerator tables.
#pragma once

#include <cstdint>

#include "shell/platform/w_events.h"

class WPopupMenu;

// A menu item; raises ClickEvent when chosen (from the menu or through an accelerator).
class WMenuItem : public WObject {
  public:
    WMenuItem(uint32_t commandId, const char* text);
    uint32_t CommandId() const { return commandId_; }
    const char* Text() const { return text_; }  // with its & mark, UTF-8

  private:
    uint32_t commandId_;
    char text_[64]{};
};

// One entry of a menu: a popup, an item or a separator.
struct WMenuEntry {
    WPopupMenu* popup = nullptr;  // set for a popup entry
    WMenuItem* item = nullptr;    // set for an item entry
    // both null: a separator
};

// An accelerator: a virtual key with modifiers that chooses a command.
struct WAccelerator {
    uint32_t virtualKey = 0;
    bool control = false;
    bool shift = false;
    bool alt = false;
    uint32_t commandId = 0;
};

// The accelerator table loaded from the resource of the same id as a menu.
class WAcceleratorTable {
  public:
    bool Load(uint32_t resourceId);
    int Count() const { return count_; }
    const WAccelerator& At(int index) const { return entries_[index]; }
    // The command of the key with these modifiers, or 0.
    uint32_t Find(uint32_t virtualKey, bool control, bool shift, bool alt) const;

    static constexpr int MaxEntries = 32;

  private:
    WAccelerator entries_[MaxEntries]{};
    int count_ = 0;
};

// A popup menu: owns its entries.
class WPopupMenu : public WObject {
  public:
    explicit WPopupMenu(const char* text);
    ~WPopupMenu() override;
    const char* Text() const { return text_; }
    int Count() const { return count_; }
    const WMenuEntry& EntryAt(int index) const { return entries_[index]; }
    // The popup of entry index, or null when that entry is no popup.
    WPopupMenu* PopupAt(int index) const;
    // The item with this command id, searching nested popups too, or null.
    WMenuItem* FindItem(uint32_t commandId) const;
    // Adds an entry (taking ownership); answers false when full.
    bool Append(WMenuEntry entry);
    // Deletes every entry.
    void Clear();

    static constexpr int MaxEntries = 16;

  private:
    WMenuEntry entries_[MaxEntries]{};
    int count_ = 0;
    char text_[64]{};
};

// A menu bar: loaded from a menu resource together with the accelerator table of the same id.
// Owns its popups and items.
class WMenu : public WObject {
  public:
    WMenu();
    ~WMenu() override;
    bool Load(uint32_t menuId);
    int Count() const;
    const WMenuEntry& EntryAt(int index) const;
    WPopupMenu* PopupAt(int index) const;
    WMenuItem* FindItem(uint32_t commandId) const;
    const WAcceleratorTable& Accelerators() const { return accelerators_; }
    // Chooses the item with this command id: raises its ClickEvent. Answers whether an item
    // with that id exists.
    bool Choose(uint32_t commandId);

    struct Impl;  // the backend's native menu, if it has one
    Impl* impl() const { return impl_; }
    void SetImpl(Impl* impl) { impl_ = impl; }

  private:
    WPopupMenu root_{""};
    WAcceleratorTable accelerators_;
    Impl* impl_ = nullptr;
};
