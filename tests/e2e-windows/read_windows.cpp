// What a person sees of Quillop's windows under wine, which has no screen-reader
// channel: one line per top-level window titled Quillop, in UTF-8.
//   main X Y W H        the main window's client area on the screen
//   control X Y W H     each of its controls, in the client area
//   box ICON BUTTONS TEXT   a message box: its icon as drawn (information,
//                       critical or none), how many buttons, its text on one line
#include <windows.h>

#include <cstdio>
#include <initializer_list>
#include <string>

namespace {

std::wstring text_of(HWND window) {
    wchar_t text[1024] = {};
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 2000,
                        nullptr);
    return text;
}

std::wstring class_of(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

void print(const std::wstring& line) {
    std::string utf8(line.size() * 3, '\0');
    utf8.resize(WideCharToMultiByte(CP_UTF8, 0, line.data(), int(line.size()), utf8.data(),
                                    int(utf8.size()), nullptr, nullptr));
    std::puts(utf8.c_str());
}

// The icon's colour on the screen: mostly red is the critical sign, mostly blue
// the information sign.
const wchar_t* icon_seen(HWND icon) {
    RECT r;
    if (!icon || !GetWindowRect(icon, &r)) return L"none";
    HDC screen = GetDC(nullptr);
    int red = 0, blue = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            COLORREF c = GetPixel(screen, x, y);
            int R = GetRValue(c), G = GetGValue(c), B = GetBValue(c);
            if (R > 170 && G < 110 && B < 110) ++red;
            if (B > 150 && R < 110) ++blue;
        }
    ReleaseDC(nullptr, screen);
    return red > 4 * blue && red > 20    ? L"critical"
           : blue > 4 * red && blue > 20 ? L"information"
                                         : L"none";
}

struct Box {
    HWND icon = nullptr;
    int buttons = 0;
    std::wstring text;
};

BOOL CALLBACK child(HWND control, LPARAM box_address) {
    auto& box = *reinterpret_cast<Box*>(box_address);
    const std::wstring kind = class_of(control);
    if (!IsWindowVisible(control)) return TRUE;
    if (kind == L"Button") ++box.buttons;
    if (kind == L"Static" && (GetWindowLongW(control, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
        box.icon = control;
    else if (kind == L"Static")
        box.text += text_of(control);
    return TRUE;
}

std::wstring numbers(std::initializer_list<LONG> values) {
    std::wstring text;
    for (LONG v : values) text += L" " + std::to_wstring(v);
    return text;
}

BOOL CALLBACK placed(HWND control, LPARAM main) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, reinterpret_cast<HWND>(main), reinterpret_cast<POINT*>(&r), 2);
    print(L"control" + numbers({r.left, r.top, r.right - r.left, r.bottom - r.top}));
    return TRUE;
}

BOOL CALLBACK top_level(HWND window, LPARAM) {
    if (!IsWindowVisible(window) || text_of(window) != L"Quillop") return TRUE;
    if (class_of(window) == L"#32770") {
        Box box;
        EnumChildWindows(window, child, reinterpret_cast<LPARAM>(&box));
        for (auto& c : box.text)
            if (c == L'\r' || c == L'\n') c = L' ';
        print(L"box " + std::wstring(icon_seen(box.icon)) + numbers({box.buttons}) + L" " +
              box.text);
    } else {
        RECT r;
        POINT origin{0, 0};
        GetClientRect(window, &r);
        ClientToScreen(window, &origin);
        print(L"main" + numbers({origin.x, origin.y, r.right, r.bottom}));
        EnumChildWindows(window, placed, reinterpret_cast<LPARAM>(window));
    }
    return TRUE;
}

}  // namespace

int main() {
    SetProcessDPIAware();  // real pixels, not ones scaled back to 96 DPI
    EnumWindows(top_level, 0);
    return 0;
}
