// Bitmaps, icons and fonts from the executable's resources, and the window canvas over GDI.
#include <cstdlib>
#include <cstring>

#include "shell/platform/w_graphics.h"
#include "shell/platform/w_window.h"
#include "shell/platform/win32/win32_internal.h"

// --- WBitmap ---

WBitmap::WBitmap() : impl_(new Impl) {}

WBitmap::~WBitmap() {
    Release();
    delete impl_;
}

bool WBitmap::Load(uint32_t resourceId) {
    Release();
    // A bitmap compatible with the display, its colours as the resource gives them.
    auto* bitmap =
        static_cast<HBITMAP>(LoadImageW(win32::ModuleInstance(), MAKEINTRESOURCEW(resourceId),
                                        IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    if (bitmap == nullptr) {
        return false;
    }
    BITMAP info{};
    if (GetObjectW(bitmap, sizeof info, &info) == 0) {
        DeleteObject(bitmap);
        return false;
    }
    impl_->bitmap = bitmap;
    impl_->width = info.bmWidth;
    impl_->height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    return true;
}

void WBitmap::Release() {
    if (impl_->bitmap != nullptr) {
        DeleteObject(impl_->bitmap);
    }
    impl_->bitmap = nullptr;
    impl_->width = 0;
    impl_->height = 0;
}

bool WBitmap::Loaded() const {
    return impl_->bitmap != nullptr;
}
int32_t WBitmap::Width() const {
    return impl_->width;
}
int32_t WBitmap::Height() const {
    return impl_->height;
}

// --- WIcon ---

WIcon::WIcon() : impl_(new Impl) {}

WIcon::~WIcon() {
    delete impl_;
}

bool WIcon::Load(uint32_t groupId) {
    // Shared icons of the standard sizes: nobody destroys them, so a window may keep showing
    // them after this object has gone.
    auto load = [groupId](int width, int height) {
        return static_cast<HICON>(LoadImageW(win32::ModuleInstance(), MAKEINTRESOURCEW(groupId),
                                             IMAGE_ICON, width, height, LR_SHARED));
    };
    impl_->largeIcon = load(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
    impl_->smallIcon = load(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
    if (impl_->smallIcon == nullptr) {
        impl_->smallIcon = impl_->largeIcon;
    }
    return impl_->largeIcon != nullptr;
}

bool WIcon::Loaded() const {
    return impl_->largeIcon != nullptr;
}

// --- WFont ---

WFont::WFont() : impl_(new Impl) {}

WFont::~WFont() {
    if (impl_->font != nullptr) {
        DeleteObject(impl_->font);
    }
    delete impl_;
}

// The description is "points.face" followed by optional ".CharSet=n": the point size in
// whole points, the face name (UTF-8) and the character set (default: DEFAULT_CHARSET).
bool WFont::Create(const char* description) {
    if (impl_->font != nullptr) {
        DeleteObject(impl_->font);
        impl_->font = nullptr;
    }
    if (description == nullptr) {
        return false;
    }
    char* end = nullptr;
    const long points = std::strtol(description, &end, 10);
    if (end == description || *end != '.' || points <= 0 || points > 1000) {
        return false;
    }
    const char* face = end + 1;
    const char* faceEnd = face + std::strlen(face);
    BYTE charSet = DEFAULT_CHARSET;
    const char* const charSetKey = ".CharSet=";
    for (const char* p = face; *p != '\0'; ++p) {
        if (std::strncmp(p, charSetKey, std::strlen(charSetKey)) == 0) {
            char* numberEnd = nullptr;
            const long value = std::strtol(p + std::strlen(charSetKey), &numberEnd, 10);
            if (numberEnd == p + std::strlen(charSetKey) || *numberEnd != '\0' || value < 0 ||
                value > 255) {
                return false;
            }
            charSet = static_cast<BYTE>(value);
            faceEnd = p;
            break;
        }
    }
    char faceUtf8[LF_FACESIZE * 4]{};
    const size_t faceBytes = static_cast<size_t>(faceEnd - face);
    if (faceBytes == 0 || faceBytes >= sizeof faceUtf8) {
        return false;
    }
    std::memcpy(faceUtf8, face, faceBytes);

    LOGFONTW font{};
    HDC screen = GetDC(nullptr);
    const int pixelsPerInch = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen != nullptr) {
        ReleaseDC(nullptr, screen);
    }
    // A negative height asks for the character height, the way point sizes are meant.
    font.lfHeight = -MulDiv(static_cast<int>(points), pixelsPerInch, 72);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = charSet;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    win32::Utf8ToWide(faceUtf8, font.lfFaceName, LF_FACESIZE);
    impl_->font = CreateFontIndirectW(&font);
    if (impl_->font == nullptr) {
        return false;
    }
    impl_->description = font;
    return true;
}

bool WFont::Created() const {
    return impl_->font != nullptr;
}

// --- WDisplayCanvas ---

WDisplayCanvas::WDisplayCanvas() : impl_(new Impl) {}

WDisplayCanvas::~WDisplayCanvas() {
    Release();
    delete impl_;
}

bool WDisplayCanvas::Create(WWindow& window) {
    Release();
    if (!window.Exists()) {
        return false;
    }
    // The client area's drawing context, taken once and held until the canvas is released.
    impl_->hwnd = window.impl()->hwnd;
    impl_->dc = GetDC(impl_->hwnd);
    if (impl_->dc == nullptr) {
        impl_->hwnd = nullptr;
        return false;
    }
    return true;
}

void WDisplayCanvas::Release() {
    if (impl_->dc != nullptr) {
        ReleaseDC(impl_->hwnd, impl_->dc);
    }
    impl_->dc = nullptr;
    impl_->hwnd = nullptr;
}

bool WDisplayCanvas::Blit(const WBitmap& bitmap, const WRect& destination, const WRect& source,
                          bool stretch, WRop rop) {
    if (impl_->dc == nullptr || !bitmap.Loaded()) {
        return false;
    }
    DWORD code = SRCCOPY;
    switch (rop) {
        case WRop::SrcCopy:
            code = SRCCOPY;
            break;
        case WRop::SrcAnd:
            code = SRCAND;
            break;
        case WRop::SrcPaint:
            code = SRCPAINT;
            break;
    }
    // Nothing outside the sheet is read: without stretch the source is cut to the bitmap and
    // the destination moves along with it. The window clips the destination itself.
    WBlitRects r{};
    const WBlitPlan plan =
        WPlanBlit(destination, source, bitmap.Width(), bitmap.Height(), stretch, &r);
    if (plan == WBlitPlan::Invalid) {
        return false;
    }
    if (plan == WBlitPlan::Empty) {
        return true;
    }
    const int64_t dx = r.dx;
    const int64_t dy = r.dy;
    const int64_t dw = r.dw;
    const int64_t dh = r.dh;
    const int64_t sx = r.sx;
    const int64_t sy = r.sy;
    const int64_t sw = r.sw;
    const int64_t sh = r.sh;

    // A memory drawing context per blit, holding the bitmap while it is copied.
    HDC memory = CreateCompatibleDC(impl_->dc);
    if (memory == nullptr) {
        return false;
    }
    HGDIOBJ previous = SelectObject(memory, bitmap.impl()->bitmap);
    BOOL done = FALSE;
    if (previous != nullptr && previous != HGDI_ERROR) {
        if (stretch) {
            SetStretchBltMode(impl_->dc, COLORONCOLOR);
            done =
                StretchBlt(impl_->dc, static_cast<int>(dx), static_cast<int>(dy),
                           static_cast<int>(dw), static_cast<int>(dh), memory, static_cast<int>(sx),
                           static_cast<int>(sy), static_cast<int>(sw), static_cast<int>(sh), code);
        } else {
            done = BitBlt(impl_->dc, static_cast<int>(dx), static_cast<int>(dy),
                          static_cast<int>(dw), static_cast<int>(dh), memory, static_cast<int>(sx),
                          static_cast<int>(sy), code);
        }
        SelectObject(memory, previous);
    }
    DeleteDC(memory);
    return done != FALSE;
}
