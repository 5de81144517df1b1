// Menu resources (RT_MENU), classic layout. Parsing yields the entries in tree order, each with
// its depth, into a fixed record; nothing is allocated.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr uint16_t MfGrayed = 0x0001;
constexpr uint16_t MfDisabled = 0x0002;
constexpr uint16_t MfChecked = 0x0008;
constexpr uint16_t MfPopup = 0x0010;
constexpr uint16_t MfEnd = 0x0080;
constexpr uint16_t MfSeparator = 0x0800;

struct ResMenuEntry {
    uint8_t depth = 0;  // 0 for the entries of the menu bar itself
    uint16_t flags = 0;
    bool popup = false;      // the entries after it with depth + 1 are its entries
    bool separator = false;  // a separator line (no text, no command)
    uint16_t commandId = 0;  // items only
    char text[64]{};         // UTF-8, with its & mark
};

struct ResMenu {
    int count = 0;
    ResMenuEntry entries[64];

    static constexpr int MaxEntries = 64;
    static constexpr int MaxDepth = 8;
};

// Parses a menu; answers false (and leaves *out empty) for a malformed one: a header other than
// version 0, any field past the end, a level without its end mark, more entries or deeper
// nesting than the record holds.
bool ParseMenu(const uint8_t* data, size_t size, ResMenu* out);
