// The Win32 backend's own state behind the platform classes, and the helpers its files share.
#pragma once

#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstdint>

#include "shell/platform/w_graphics.h"
#include "shell/platform/w_menu.h"
#include "shell/platform/w_window.h"

namespace win32 {

// The module the resources come from: the executable itself.
HINSTANCE ModuleInstance();

// UTF-8 to UTF-16 into a fixed buffer (always terminated; cut at the buffer's end).
void Utf8ToWide(const char* text, wchar_t* out, int outCount);
// UTF-16 to UTF-8 into a fixed buffer (always terminated; cut at the buffer's end).
void WideToUtf8(const wchar_t* text, char* out, int outCount);

// The platform object behind a window handle (dialogs and attached controls), or null.
WWindow* WindowFromHandle(HWND hwnd);

// Filters a message of the application's loop: the accelerators of the active window's menu,
// then the keyboard handling of the modeless dialog it belongs to. Answers true when the
// message was taken (translated and dispatched already).
bool PreTranslate(MSG& message);

}  // namespace win32

struct WWindow::Impl {
    enum class Kind : uint8_t { None, Modeless, Modal, Control };

    HWND hwnd = nullptr;
    Kind kind = Kind::None;

    // Top-level windows: the attached menu bar, its native menu and accelerator table, and the
    // window's own copy of the font it was given.
    WMenu* menu = nullptr;
    HMENU nativeMenu = nullptr;
    HACCEL accelerators = nullptr;
    HFONT font = nullptr;

    // Modal dialogs.
    bool running = false;      // inside RunModal
    bool initialised = false;  // WM_INITDIALOG came: the window was made
    // Set while RunModal runs: the object may be deleted by a handler during its own modal
    // run, and RunModal must then not touch it after the loop.
    bool* deletedDuringRun = nullptr;
    int32_t result = 0;
    WCommandButton* defaultButton = nullptr;
    WCommandButton* cancelButton = nullptr;
    static constexpr int MaxDisabled = 16;
    HWND disabled[MaxDisabled]{};  // the other top-level windows disabled for the modal run
    int disabledCount = 0;

    // Controls.
    uint32_t itemId = 0;
    char text[256]{};
};

struct WBitmap::Impl {
    HBITMAP bitmap = nullptr;
    int32_t width = 0;
    int32_t height = 0;
};

struct WIcon::Impl {
    HICON largeIcon = nullptr;  // shared icons: the system keeps them for the process's life
    HICON smallIcon = nullptr;
};

struct WFont::Impl {
    LOGFONTW description{};
    HFONT font = nullptr;
};

struct WDisplayCanvas::Impl {
    HWND hwnd = nullptr;
    HDC dc = nullptr;
};
