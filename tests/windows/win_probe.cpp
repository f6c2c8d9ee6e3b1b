// Windows-side test tool, run under Wine beside the program it inspects: finds a top-level
// window by its caption and reports what only Win32 can tell. Usage:
//   win_probe window TITLE SECONDS   "class NAME classStyle 0xS style 0xS client W H origin X Y
//                                    outer L T" of the window (origin: the drawing area's
//                                    top-left corner on the screen; outer: the window's)
//   win_probe box CAPTION SECONDS    "text TEXT" (C escapes for control characters) and
//                                    "owner TITLE" of a message box with that caption
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

HWND waitFor(const char* title, double seconds) {
    for (double waited = 0.0; waited <= seconds; waited += 0.1) {
        HWND w = FindWindowA(nullptr, title);
        if (w && IsWindowVisible(w)) return w;
        Sleep(100);
    }
    return nullptr;
}

void printEscaped(const char* text) {
    for (const char* p = text; *p; ++p) {
        if (*p == '\n')
            std::fputs("\\n", stdout);
        else if (*p == '\r')
            std::fputs("\\r", stdout);
        else if (*p == '\t')
            std::fputs("\\t", stdout);
        else
            std::fputc(*p, stdout);
    }
}

int window(HWND w) {
    char className[64] = {};
    GetClassNameA(w, className, sizeof className);
    RECT client{}, outer{};
    GetClientRect(w, &client);
    GetWindowRect(w, &outer);
    POINT origin = {0, 0};
    ClientToScreen(w, &origin);
    std::printf(
        "class %s classStyle 0x%lx style 0x%lx client %ld %ld origin %ld %ld outer %ld %ld\n",
        className, static_cast<unsigned long>(GetClassLongPtrA(w, GCL_STYLE)),
        static_cast<unsigned long>(GetWindowLongPtrA(w, GWL_STYLE)), client.right - client.left,
        client.bottom - client.top, origin.x, origin.y, outer.left, outer.top);
    return 0;
}

BOOL CALLBACK findText(HWND child, LPARAM found) {
    char className[32] = {}, text[512] = {};
    GetClassNameA(child, className, sizeof className);
    if (_stricmp(className, "Static") != 0 || GetWindowTextA(child, text, sizeof text) == 0)
        return TRUE;
    std::strcpy(reinterpret_cast<char*>(found), text);
    return FALSE;
}

int box(HWND w) {
    char text[512] = {}, owner[256] = {};
    EnumChildWindows(w, findText, reinterpret_cast<LPARAM>(text));
    HWND ownerWindow = GetWindow(w, GW_OWNER);
    if (ownerWindow) GetWindowTextA(ownerWindow, owner, sizeof owner);
    std::fputs("text ", stdout);
    printEscaped(text);
    std::printf("\nowner %s\n", ownerWindow ? owner : "(none)");
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    _setmode(_fileno(stdout), _O_BINARY); // lines end in LF, as the scripts read them
    if (argc != 4) {
        std::fprintf(stderr, "usage: win_probe window|box TITLE SECONDS\n");
        return 2;
    }
    HWND w = waitFor(argv[2], std::atof(argv[3]));
    if (!w) {
        std::fprintf(stderr, "win_probe: no window \"%s\"\n", argv[2]);
        return 1;
    }
    if (std::strcmp(argv[1], "window") == 0) return window(w);
    if (std::strcmp(argv[1], "box") == 0) return box(w);
    return 2;
}
