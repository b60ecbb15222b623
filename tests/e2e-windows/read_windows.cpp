// What a person sees of Quillop's windows under wine, which has no screen-reader
// channel: lines in UTF-8 for each visible top-level window titled Quillop.
//   main X Y W H        the main window's client area on the screen
//   control X Y W H     each of its controls, in the client area
//   box ICON BUTTONS TEXT   a message box: its icon by colour (information,
//                       critical or none), how many buttons, its text on one line
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

// Red pixels count up, blue ones down: the critical sign is mostly red, the
// information sign mostly blue.
const wchar_t* icon_seen(HWND icon) {
    RECT r{};
    GetWindowRect(icon, &r);
    HDC screen = GetDC(nullptr);
    int red = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            const COLORREF c = GetPixel(screen, x, y);
            red += (GetRValue(c) > 170 && GetGValue(c) < 110 && GetBValue(c) < 110) -
                   (GetBValue(c) > 150 && GetRValue(c) < 110);
        }
    ReleaseDC(nullptr, screen);
    return red > 20 ? L"critical" : red < -20 ? L"information" : L"none";
}

BOOL CALLBACK control(HWND child, LPARAM main) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, reinterpret_cast<HWND>(main), reinterpret_cast<POINT*>(&r), 2);
    std::printf("control %ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return TRUE;
}

BOOL CALLBACK top_level(HWND window, LPARAM) {
    wchar_t title[16] = {}, text[1024] = {};
    GetWindowTextW(window, title, 16);
    if (!IsWindowVisible(window) || wcscmp(title, L"Quillop")) return TRUE;
    if (GetMenu(window)) {  // the main window; a message box has no menu bar
        RECT r;
        POINT origin{0, 0};
        GetClientRect(window, &r);
        ClientToScreen(window, &origin);
        std::printf("main %ld %ld %ld %ld\n", origin.x, origin.y, r.right, r.bottom);
        EnumChildWindows(window, control, reinterpret_cast<LPARAM>(window));
        return TRUE;
    }
    // Wine's message box holds its text in item 0xffff and its icon in item 1088;
    // it destroys the buttons that the box does not show.
    GetWindowTextW(GetDlgItem(window, 0xffff), text, 1024);
    std::wstring line = L"box " + std::wstring(icon_seen(GetDlgItem(window, 1088))) +
                        (GetDlgItem(window, IDCANCEL) ? L" 2 " : L" 1 ") + text;
    for (auto& c : line)
        if (c == L'\r' || c == L'\n') c = L' ';
    char utf8[4096] = {};
    WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, utf8, sizeof utf8 - 1, nullptr, nullptr);
    std::puts(utf8);
    return TRUE;
}

}  // namespace

int main() {
    SetProcessDPIAware();  // real pixels, not ones scaled back to 96 DPI
    EnumWindows(top_level, 0);
}
