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

struct Box {
    RECT icon{};
    int buttons = 0;
    std::wstring text;
};

BOOL CALLBACK part(HWND child, LPARAM box_address) {
    auto& box = *reinterpret_cast<Box*>(box_address);
    wchar_t kind[16] = {}, text[1024] = {};
    GetClassNameW(child, kind, 16);
    GetWindowTextW(child, text, 1024);
    if (!IsWindowVisible(child)) return TRUE;
    if (!wcscmp(kind, L"Button")) ++box.buttons;
    if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
        GetWindowRect(child, &box.icon);
    else if (!wcscmp(kind, L"Static"))
        box.text += text;
    return TRUE;
}

// Mostly red is the critical sign, mostly blue the information sign.
const wchar_t* icon_seen(RECT r) {
    HDC screen = GetDC(nullptr);
    int red = 0, blue = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            const COLORREF c = GetPixel(screen, x, y);
            red += GetRValue(c) > 170 && GetGValue(c) < 110 && GetBValue(c) < 110;
            blue += GetBValue(c) > 150 && GetRValue(c) < 110;
        }
    ReleaseDC(nullptr, screen);
    return red > 4 * blue && red > 20    ? L"critical"
           : blue > 4 * red && blue > 20 ? L"information"
                                         : L"none";
}

BOOL CALLBACK control(HWND child, LPARAM main) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, reinterpret_cast<HWND>(main), reinterpret_cast<POINT*>(&r), 2);
    std::printf("control %ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return TRUE;
}

BOOL CALLBACK top_level(HWND window, LPARAM) {
    wchar_t title[16] = {};
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
    Box box;
    EnumChildWindows(window, part, reinterpret_cast<LPARAM>(&box));
    std::wstring line = L"box " + std::wstring(icon_seen(box.icon)) + L" " +
                        std::to_wstring(box.buttons) + L" " + box.text;
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
