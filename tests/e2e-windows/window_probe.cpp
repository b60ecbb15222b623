// Loaded into quillop.exe by read_windows through a hook on its window's
// thread, to read its windows from inside the process, as a screen reader and
// the system see them, once the program has handled every key, click, posted
// message and due tick it holds ("busy" until then). Lines, for read_windows:
//   main X Y W H       the main window's client area on the screen
//   z KIND|NAME|VALUE|FLAGS|X Y W H   each control from the top: push, label,
//                      field, radio, check or frame; its accessible name and
//                      value; flags g WS_GROUP, f focused, c checked, u greyed
//   box ICON BUTTONS TEXT   a message box: information, critical or none
//   colours TEXT on BACK brush COLOUR kept|new frame COLOUR   the fields'
//   m ITEM|FLAGS      each item of the File menu; flag u greyed
//   fonts HEIGHT freed|kept   the caption font after a DPI change
#include <windows.h>
// oleacc.h needs the types of windows.h
#include <oleacc.h>

#include <cstdarg>
#include <string>

namespace {

std::wstring out;

void say(const wchar_t* format, ...) {
    wchar_t line[1200];
    va_list arguments;
    va_start(arguments, format);
    vswprintf(line, 1200, format, arguments);
    va_end(arguments);
    for (wchar_t* c = line; *c; ++c)
        if (*c == L'\r' || *c == L'\n') *c = L' ';
    out += line + std::wstring(L"\n");
}

// The client area on the screen, or a control's whole rectangle in its parent's.
RECT rect(HWND window, HWND parent) {
    RECT r;
    parent ? GetWindowRect(window, &r) : GetClientRect(window, &r);
    MapWindowPoints(parent ? nullptr : window, parent, reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

const wchar_t* kind(HWND control) {
    wchar_t name[8] = {};
    GetClassNameW(control, name, 8);
    const LONG type = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
    return !_wcsicmp(name, L"Static") ? L"label"
           : !_wcsicmp(name, L"Edit") ? L"field"
           : type == BS_RADIOBUTTON   ? L"radio"
           : type == BS_CHECKBOX      ? L"check"
           : type == BS_GROUPBOX      ? L"frame"
                                      : L"push";
}

// The control's accessible name and value, as MSAA gives them to a screen reader.
std::wstring accessible(HWND control) {
    IAccessible* object = nullptr;
    BSTR name = nullptr, value = nullptr;
    VARIANT self{};
    self.vt = VT_I4;  // CHILDID_SELF
    if (AccessibleObjectFromWindow(control, OBJID_CLIENT, __uuidof(IAccessible),
                                   reinterpret_cast<void**>(&object)) != S_OK)
        return L"?|";
    object->get_accName(self, &name);
    object->get_accValue(self, &value);
    object->Release();
    std::wstring both = std::wstring(name ? name : L"") + L'|' + (value ? value : L"");
    SysFreeString(name);
    SysFreeString(value);
    return both;
}

BOOL CALLBACK control(HWND child, LPARAM main) {
    const RECT r = rect(child, reinterpret_cast<HWND>(main));
    say(L"z %ls|%ls|%ls%ls%ls%ls|%ld %ld %ld %ld", kind(child), accessible(child).c_str(),
        GetWindowLongW(child, GWL_STYLE) & WS_GROUP ? L"g" : L"", GetFocus() == child ? L"f" : L"",
        SendMessageW(child, BM_GETCHECK, 0, 0) == BST_CHECKED ? L"c" : L"",
        IsWindowEnabled(child) ? L"" : L"u", r.left, r.top, r.right, r.bottom);
    return TRUE;
}

// Wine's message box holds its text in item 0xffff and its icon in item 1088;
// it destroys the buttons that the box does not show.
BOOL CALLBACK box(HWND window, LPARAM) {
    wchar_t title[16] = {}, text[1024] = {};
    GetWindowTextW(window, title, 16);
    if (!IsWindowVisible(window) || GetMenu(window) || wcscmp(title, L"Quillop")) return TRUE;
    GetWindowTextW(GetDlgItem(window, 0xffff), text, 1024);
    const auto icon = reinterpret_cast<HICON>(SendDlgItemMessageW(window, 1088, STM_GETICON, 0, 0));
    say(L"box %ls %d %ls",
        icon == LoadIconW(nullptr, IDI_INFORMATION) ? L"information"
        : icon == LoadIconW(nullptr, IDI_ERROR)     ? L"critical"
                                                    : L"none",
        GetDlgItem(window, IDCANCEL) ? 2 : 1, text);
    return TRUE;
}

// Both fields, one twice, as the window colours them for a memory DC.
void colours(HWND main) {
    HDC dc = CreateCompatibleDC(nullptr);
    HWND one = FindWindowExW(main, nullptr, L"Edit", nullptr);
    LRESULT brushes[3], i = 0;
    for (HWND field : {one, FindWindowExW(main, one, L"Edit", nullptr), one})
        brushes[i++] = SendMessageW(main, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                    reinterpret_cast<LPARAM>(field));
    LOGBRUSH brush{};
    GetObjectW(reinterpret_cast<HBRUSH>(brushes[0]), sizeof brush, &brush);
    const auto rgb = [](COLORREF c) { return RGB(GetBValue(c), GetGValue(c), GetRValue(c)); };
    say(L"colours %06lx on %06lx brush %06lx %ls frame %06lx", rgb(GetTextColor(dc)),
        rgb(GetBkColor(dc)), rgb(brush.lbColor),
        brushes[1] == brushes[0] && brushes[2] == brushes[0] ? L"kept" : L"new",
        rgb(GetSysColor(COLOR_WINDOWFRAME)));
    DeleteDC(dc);
}

// To another DPI, as the system moves a window between monitors.
void changeDpi(HWND main, int dpi) {
    const auto font = [main] {
        return reinterpret_cast<HFONT>(SendMessageW(GetWindow(main, GW_CHILD), WM_GETFONT, 0, 0));
    };
    const HFONT before = font();
    RECT r;
    GetWindowRect(main, &r);
    SendMessageW(main, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&r));
    LOGFONTW caption{};
    GetObjectW(font(), sizeof caption, &caption);
    say(L"fonts %ld %ls", caption.lfHeight, GetObjectType(before) ? L"kept" : L"freed");
}

}  // namespace

// The hook: the probe's message carries the reader's window and a command:
// 0 read, another number a DPI to move to.
extern "C" __declspec(dllexport) LRESULT CALLBACK probe(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code != HC_ACTION || message->message != RegisterWindowMessageW(L"QuillopProbe"))
        return CallNextHookEx(nullptr, code, wParam, lParam);
    HWND main = message->hwnd;
    out = L"busy\n";
    if (!HIWORD(GetQueueStatus(QS_INPUT | QS_POSTMESSAGE | QS_TIMER))) {
        out.clear();
        if (message->lParam > 1) changeDpi(main, static_cast<int>(message->lParam));
        const RECT r = rect(main, nullptr);
        say(L"main %ld %ld %ld %ld", r.left, r.top, r.right, r.bottom);
        EnumChildWindows(main, control, reinterpret_cast<LPARAM>(main));
        EnumThreadWindows(GetCurrentThreadId(), box, 0);
        colours(main);
        HMENU file = GetSubMenu(GetMenu(main), 0);
        for (int i = 0; i < GetMenuItemCount(file); ++i) {
            wchar_t item[64] = {};
            GetMenuStringW(file, i, item, 64, MF_BYPOSITION);
            say(L"m %ls|%ls", item, GetMenuState(file, i, MF_BYPOSITION) & MF_GRAYED ? L"u" : L"");
        }
    }
    COPYDATASTRUCT data{0, static_cast<DWORD>(out.size() * sizeof(wchar_t)), out.data()};
    SendMessageW(reinterpret_cast<HWND>(message->wParam), WM_COPYDATA, 0,
                 reinterpret_cast<LPARAM>(&data));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
