// vantorel-e2e-probe: looks at the windows of a running program from the outside, for the
// end-to-end tests under Wine. It runs in the same Wine session as the game and prints what the
// window system says about its windows; it never sends them anything.
//
//   probe wait CAPTION SECONDS      wait for a visible top-level window with exactly this
//                                   caption; print its line (below); exit 1 on time-out
//   probe gone CAPTION SECONDS      wait until no such window exists; exit 1 on time-out
//   probe info CAPTION              print its line: window L T W H client L T W H
//                                   enabled E foreground F class NAME (screen coordinates)
//   probe children CAPTION          one line per child window: ID CLASS TEXT
//   probe popup SECONDS             wait for a visible popup menu; print L T W H
//   probe metrics                   caption, menu and fixed-frame sizes: CYCAPTION CYMENU
//                                   CXFIXEDFRAME CYFIXEDFRAME CXSIZE CYSIZE
#ifndef UNICODE
#define UNICODE
#endif
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void ToWide(const char* text, wchar_t* out, int count) {
    out[0] = L'\0';
    MultiByteToWideChar(CP_UTF8, 0, text, -1, out, count);
}

void ToUtf8(const wchar_t* text, char* out, int count) {
    out[0] = '\0';
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out, count, nullptr, nullptr);
}

HWND Find(const char* caption) {
    wchar_t wide[256];
    ToWide(caption, wide, 256);
    HWND found = FindWindowW(nullptr, wide);
    return found != nullptr && IsWindowVisible(found) ? found : nullptr;
}

void PrintLine(HWND hwnd) {
    RECT outer{};
    GetWindowRect(hwnd, &outer);
    RECT client{};
    GetClientRect(hwnd, &client);
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    wchar_t className[64];
    char classUtf8[128];
    GetClassNameW(hwnd, className, 64);
    ToUtf8(className, classUtf8, 128);
    std::printf("window %ld %ld %ld %ld client %ld %ld %ld %ld enabled %d foreground %d class %s\n",
                outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top, origin.x,
                origin.y, client.right, client.bottom, IsWindowEnabled(hwnd) ? 1 : 0,
                GetForegroundWindow() == hwnd ? 1 : 0, classUtf8);
}

BOOL CALLBACK PrintChild(HWND child, LPARAM) {
    wchar_t className[64];
    wchar_t text[256];
    char classUtf8[128];
    char textUtf8[512];
    GetClassNameW(child, className, 64);
    GetWindowTextW(child, text, 256);
    ToUtf8(className, classUtf8, 128);
    ToUtf8(text, textUtf8, 512);
    std::printf("%d %s %s\n", GetDlgCtrlID(child), classUtf8, textUtf8);
    return TRUE;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: probe wait|gone CAPTION SECONDS | info|children CAPTION | "
                 "popup SECONDS | metrics\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        return Usage();
    }
    const char* command = argv[1];
    if ((std::strcmp(command, "wait") == 0 || std::strcmp(command, "gone") == 0) && argc == 4) {
        const bool wantPresent = command[0] == 'w';
        const DWORD limit = static_cast<DWORD>(std::atof(argv[3]) * 1000.0);
        const DWORD start = GetTickCount();
        for (;;) {
            HWND hwnd = Find(argv[2]);
            if (wantPresent && hwnd != nullptr) {
                PrintLine(hwnd);
                return 0;
            }
            if (!wantPresent && hwnd == nullptr) {
                return 0;
            }
            if (GetTickCount() - start > limit) {
                return 1;
            }
            Sleep(50);
        }
    }
    if (std::strcmp(command, "info") == 0 && argc == 3) {
        HWND hwnd = Find(argv[2]);
        if (hwnd == nullptr) {
            return 1;
        }
        PrintLine(hwnd);
        return 0;
    }
    if (std::strcmp(command, "children") == 0 && argc == 3) {
        HWND hwnd = Find(argv[2]);
        if (hwnd == nullptr) {
            return 1;
        }
        EnumChildWindows(hwnd, &PrintChild, 0);
        return 0;
    }
    if (std::strcmp(command, "popup") == 0 && argc == 3) {
        const DWORD limit = static_cast<DWORD>(std::atof(argv[2]) * 1000.0);
        const DWORD start = GetTickCount();
        for (;;) {
            HWND popup = FindWindowW(L"#32768", nullptr);
            if (popup != nullptr && IsWindowVisible(popup)) {
                RECT r{};
                GetWindowRect(popup, &r);
                std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
                return 0;
            }
            if (GetTickCount() - start > limit) {
                return 1;
            }
            Sleep(50);
        }
    }
    if (std::strcmp(command, "metrics") == 0 && argc == 2) {
        std::printf("%d %d %d %d %d %d\n", GetSystemMetrics(SM_CYCAPTION),
                    GetSystemMetrics(SM_CYMENU), GetSystemMetrics(SM_CXFIXEDFRAME),
                    GetSystemMetrics(SM_CYFIXEDFRAME), GetSystemMetrics(SM_CXSIZE),
                    GetSystemMetrics(SM_CYSIZE));
        return 0;
    }
    return Usage();
}
