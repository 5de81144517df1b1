// The message loop of the application, the quit request, the calendar clock, the executable's
// resources and the text conversions the backend uses.
#include <ctime>

#include "shell/platform/resfile/res_directory.h"
#include "shell/platform/w_application.h"
#include "shell/platform/win32/win32_internal.h"

namespace win32 {

HINSTANCE ModuleInstance() {
    return GetModuleHandleW(nullptr);
}

void Utf8ToWide(const char* text, wchar_t* out, int outCount) {
    if (outCount <= 0) {
        return;
    }
    out[0] = L'\0';
    if (text == nullptr) {
        return;
    }
    const int written = MultiByteToWideChar(CP_UTF8, 0, text, -1, out, outCount);
    if (written == 0) {
        // Too long for the buffer: the part that fits.
        const int needed = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
        if (needed > 0) {
            wchar_t* whole = new wchar_t[static_cast<size_t>(needed)];
            MultiByteToWideChar(CP_UTF8, 0, text, -1, whole, needed);
            lstrcpynW(out, whole, outCount);
            delete[] whole;
        }
    }
}

void WideToUtf8(const wchar_t* text, char* out, int outCount) {
    if (outCount <= 0) {
        return;
    }
    out[0] = '\0';
    if (text == nullptr) {
        return;
    }
    if (WideCharToMultiByte(CP_UTF8, 0, text, -1, out, outCount, nullptr, nullptr) == 0) {
        out[0] = '\0';
    }
}

}  // namespace win32

bool WExeApplication::RunMessageLoop() {
    MSG message;
    for (;;) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            return true;  // the quit message
        }
        if (got == -1) {
            return false;  // taking a message failed: the loop ends as if it had quit
        }
        if (win32::PreTranslate(message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void WExeApplication::Quit(int32_t code) {
    PostQuitMessage(code);
}

uint32_t WCalendarSeconds() {
    return static_cast<uint32_t>(std::time(nullptr));
}

bool FindProgramResource(uint16_t type, uint16_t id, ResBytes* out) {
    if (out == nullptr) {
        return false;
    }
    *out = ResBytes{};
    HINSTANCE module = win32::ModuleInstance();
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(type));
    if (found == nullptr) {
        return false;
    }
    HGLOBAL loaded = LoadResource(module, found);
    if (loaded == nullptr) {
        return false;
    }
    const void* bytes = LockResource(loaded);
    const DWORD size = SizeofResource(module, found);
    if (bytes == nullptr) {
        return false;
    }
    out->data = static_cast<const uint8_t*>(bytes);
    out->size = size;
    return true;
}
