// A long day's use of quillop.exe, run inside its process so that its GDI and
// USER objects can be counted: `rundll32 quillop_soak.dll,Soak ROUNDS` hooks
// this DLL into the message loop of the running window titled Quillop. Each
// round picks a length and a kind by clicking them and generates; every 10th
// round saves all three files from the menu, every 50th clears, every 100th
// moves the window to another DPI; each box is answered with OK. The objects counted at
// round ROUNDS/10 and at the end go to the file named by QUILLOP_SOAK_OUT.
// Wine has no GetGuiResources; its handle tables take a bare index, so the
// objects are counted by index.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>

namespace {

constexpr WPARAM kStart = 0x50AC;
HWND window = nullptr;

BOOL CALLBACK countWindow(HWND top, LPARAM count) {
    *reinterpret_cast<int*>(count) += 1;
    EnumChildWindows(top, countWindow, count);
    return TRUE;
}

// Every GDI object, and for USER the windows and menus.
void countObjects(int& gdi, int& user) {
    gdi = user = 0;
    for (UINT_PTR index = 1; index <= 0xFFFF; ++index) {
        gdi += GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0;
        user += index >= 0x20 && index % 2 == 0 && IsMenu(reinterpret_cast<HMENU>(index));
    }
    EnumThreadWindows(GetCurrentThreadId(), countWindow, reinterpret_cast<LPARAM>(&user));
}

BOOL CALLBACK pressIfNamed(HWND control, LPARAM caption) {
    wchar_t text[64];
    GetWindowTextW(control, text, 64);
    if (std::wcscmp(text, reinterpret_cast<const wchar_t*>(caption)) == 0)
        SendMessageW(control, BM_CLICK, 0, 0);
    return TRUE;
}

// Presses the control with this caption, as a click does.
void click(const wchar_t* caption) { EnumChildWindows(window, pressIfNamed, LPARAM(caption)); }

void pump(DWORD ms) {
    MSG message;
    for (const DWORD start = GetTickCount(); GetTickCount() - start < ms; Sleep(1))
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

// Each message box is answered with OK once it is up.
LRESULT CALLBACK answerBox(int code, WPARAM wParam, LPARAM lParam) {
    wchar_t windowClass[8] = {};
    if (code == HCBT_ACTIVATE && GetClassNameW(reinterpret_cast<HWND>(wParam), windowClass, 8) &&
        std::wcscmp(windowClass, L"#32770") == 0)
        PostMessageW(GetDlgItem(reinterpret_cast<HWND>(wParam), IDOK), BM_CLICK, 0, 0);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void soak(int rounds) {
    SetWindowsHookExW(WH_CBT, answerBox, nullptr, GetCurrentThreadId());
    const wchar_t* const kinds[] = {L"Числовой пароль", L"Символьный пароль", L"Одновременно",
                                    L"Одновременно"};
    int gdi = 0, user = 0, gdiAtEnd, userAtEnd;
    for (int round = 1; round <= rounds; ++round) {
        click((round / 4) % 2 ? L"8 значный" : L"6 значный");
        click(kinds[round % 4]);
        click(L"&Генерировать");
        pump(25);  // the timer's tick
        for (int item = 0; round % 10 == 0 && item < 3; ++item)
            SendMessageW(window, WM_COMMAND, GetMenuItemID(GetSubMenu(GetMenu(window), 0), item),
                         0);
        if (round % 50 == 0) click(L"&Очистить поля");
        RECT rect;  // the window's new place on a monitor of another DPI
        if (round % 100 == 0 && GetWindowRect(window, &rect)) {
            const int dpi = round % 200 ? 144 : 96;
            rect.right = rect.left + MulDiv(rect.right - rect.left, dpi, 240 - dpi);
            rect.bottom = rect.top + MulDiv(rect.bottom - rect.top, dpi, 240 - dpi);
            SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), LPARAM(&rect));
        }
        if (round == rounds / 10) countObjects(gdi, user);
    }
    countObjects(gdiAtEnd, userAtEnd);
    if (FILE* out = _wfopen(_wgetenv(L"QUILLOP_SOAK_OUT"), L"w")) {
        std::fprintf(out, "%d %d %d %d\n", gdi, gdiAtEnd, user, userAtEnd);
        std::fclose(out);
    }
    PostMessageW(window, WM_CLOSE, 0, 0);
}

LRESULT CALLBACK onMessage(int code, WPARAM removed, LPARAM lParam) {
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && removed && message->message == WM_NULL && message->wParam == kStart) {
        window = message->hwnd;
        soak(static_cast<int>(message->lParam));
    }
    return CallNextHookEx(nullptr, code, removed, lParam);
}

}  // namespace

extern "C" __declspec(dllexport) void CALLBACK SoakW(HWND, HINSTANCE, LPWSTR rounds, int) {
    HWND shown = FindWindowW(nullptr, L"Quillop");
    HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, onMessage, GetModuleHandleW(L"quillop_soak"),
                                   GetWindowThreadProcessId(shown, nullptr));
    PostMessageW(shown, WM_NULL, kStart, _wtoi(rounds));
    while (IsWindow(shown)) Sleep(100);
    UnhookWindowsHookEx(hook);
}
