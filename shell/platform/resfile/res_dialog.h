// Dialog templates (RT_DIALOG): the classic DLGTEMPLATE and the extended DLGTEMPLATEEX, with
// their items. Parsing fills a fixed record; nothing is allocated.
#pragma once

#include <cstddef>
#include <cstdint>

// Window styles the program and the backends read from a template.
constexpr uint32_t DsSetFont = 0x00000040;
constexpr uint32_t DsModalFrame = 0x00000080;
constexpr uint32_t WsChild = 0x40000000;
constexpr uint32_t WsVisible = 0x10000000;
constexpr uint32_t WsCaption = 0x00C00000;
constexpr uint32_t WsSysMenu = 0x00080000;
constexpr uint32_t WsThickFrame = 0x00040000;
constexpr uint32_t WsMinimizeBox = 0x00020000;
constexpr uint32_t WsMaximizeBox = 0x00010000;
constexpr uint32_t WsTabStop = 0x00010000;
constexpr uint32_t SsIcon = 0x00000003;
constexpr uint32_t SsNotify = 0x00000100;
constexpr uint32_t BsDefPushButton = 0x00000001;

// Predefined control classes, as ordinals.
constexpr uint16_t DialogClassButton = 0x0080;
constexpr uint16_t DialogClassEdit = 0x0081;
constexpr uint16_t DialogClassStatic = 0x0082;
constexpr uint16_t DialogClassListBox = 0x0083;
constexpr uint16_t DialogClassScrollBar = 0x0084;
constexpr uint16_t DialogClassComboBox = 0x0085;

struct ResDialogItem {
    uint32_t style = 0;
    uint32_t exStyle = 0;
    int16_t x = 0, y = 0, cx = 0, cy = 0;  // dialog units
    uint32_t id = 0;
    uint16_t classOrdinal = 0;  // a predefined class, or 0 when className names it
    char className[32]{};
    bool textIsOrdinal = false;  // e.g. the icon resource of a static icon control
    uint16_t textOrdinal = 0;
    char text[128]{};  // UTF-8
};

struct ResDialogTemplate {
    bool extended = false;
    uint32_t style = 0;
    uint32_t exStyle = 0;
    int16_t x = 0, y = 0, cx = 0, cy = 0;  // dialog units
    bool menuIsOrdinal = false;
    uint16_t menuOrdinal = 0;
    char menuName[32]{};  // empty without a menu, or when it is an ordinal
    uint16_t classOrdinal = 0;
    char className[32]{};
    char caption[128]{};  // UTF-8
    bool hasFont = false;
    uint16_t pointSize = 0;
    uint16_t fontWeight = 0;  // extended templates only
    uint8_t italic = 0;       // extended templates only
    uint8_t charSet = 0;      // extended templates only
    char fontFace[64]{};      // UTF-8
    int itemCount = 0;
    ResDialogItem items[16];

    static constexpr int MaxItems = 16;

    // The item with this id, or null.
    const ResDialogItem* FindItem(uint32_t id) const;
};

// Parses a template; answers false (and leaves *out cleared) for a malformed one: any field
// past the end of the bytes, more items than the record holds, an unknown extended version.
bool ParseDialogTemplate(const uint8_t* data, size_t size, ResDialogTemplate* out);
