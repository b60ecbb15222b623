// A long day's use of quillop.exe, run inside its process so that its GDI and
// USER objects can be counted: `rundll32 quillop_soak.dll,Soak ROUNDS EXE`
// starts the exe and hooks this DLL into its message loop. Each round picks a
// length and a kind by clicking them and generates; every 10th round saves
// all three files from the menu, every 50th clears, every 100th moves the
// window to another DPI; each box is answered with OK. The objects counted at
// round ROUNDS/10 and at the end go to the file named by QUILLOP_SOAK_OUT.
// Wine has no GetGuiResources; its handle tables take a bare index, so every
// GDI object is counted by index, and for USER the windows and menus.
#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

constexpr WPARAM kStart = 0x50AC;
HMODULE self = nullptr;
HWND window = nullptr;

int gdiObjects() {
    int count = 0;
    for (UINT_PTR index = 1; index <= 0xFFFF; ++index)
        count += GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0;
    return count;
}

BOOL CALLBACK countWindow(HWND top, LPARAM count) {
    *reinterpret_cast<int*>(count) += 1;
    EnumChildWindows(top, countWindow, count);
    return TRUE;
}

int userObjects() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), countWindow, reinterpret_cast<LPARAM>(&count));
    for (UINT_PTR handle = 0x20; handle <= 0xFFFF; handle += 2)
        count += IsMenu(reinterpret_cast<HMENU>(handle)) != 0;
    return count;
}

// Presses the control with this caption, as a click does.
void click(const wchar_t* caption) {
    static const wchar_t* wanted;
    wanted = caption;
    EnumChildWindows(
        window,
        [](HWND control, LPARAM) {
            wchar_t text[64];
            GetWindowTextW(control, text, 64);
            if (std::wcscmp(text, wanted) == 0) SendMessageW(control, BM_CLICK, 0, 0);
            return TRUE;
        },
        0);
}

void pump(DWORD ms) {
    for (const DWORD start = GetTickCount(); GetTickCount() - start < ms;) {
        MSG message;
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
        else if (!IsDialogMessageW(window, &message))
            DispatchMessageW(&message);
    }
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
    int gdi = 0, user = 0;
    for (int round = 1; round <= rounds; ++round) {
        click((round / 4) % 2 ? L"8 значный" : L"6 значный");
        click(kinds[round % 4]);
        click(L"&Генерировать");
        pump(25);  // the timer's tick
        HMENU file = GetSubMenu(GetMenu(window), 0);
        for (int item = 0; round % 10 == 0 && item < 3; ++item)
            SendMessageW(window, WM_COMMAND, GetMenuItemID(file, item), 0);
        if (round % 50 == 0) click(L"&Очистить поля");
        if (round % 100 == 0) {
            const int dpi = round % 200 ? 144 : 96, from = round % 200 ? 96 : 144;
            RECT rect;
            GetWindowRect(window, &rect);
            rect.right = rect.left + MulDiv(rect.right - rect.left, dpi, from);
            rect.bottom = rect.top + MulDiv(rect.bottom - rect.top, dpi, from);
            SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                         reinterpret_cast<LPARAM>(&rect));
        }
        if (round == rounds / 10) gdi = gdiObjects(), user = userObjects();
    }
    if (FILE* out = _wfopen(_wgetenv(L"QUILLOP_SOAK_OUT"), L"w")) {
        std::fprintf(out, "%d %d %d %d\n", gdi, gdiObjects(), user, userObjects());
        std::fclose(out);
    }
    PostMessageW(window, WM_CLOSE, 0, 0);
}

LRESULT CALLBACK onMessage(int code, WPARAM removed, LPARAM lParam) {
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && removed && message->message == WM_NULL && message->wParam == kStart) {
        message->wParam = 0;
        window = message->hwnd;
        soak(static_cast<int>(message->lParam));
    }
    return CallNextHookEx(nullptr, code, removed, lParam);
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID) {
    self = instance;
    return TRUE;
}

extern "C" __declspec(dllexport) void CALLBACK SoakW(HWND, HINSTANCE, LPWSTR args, int) {
    wchar_t* program;
    const long rounds = std::wcstol(args, &program, 10);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    if (!CreateProcessW(program + 1, nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return;
    WaitForInputIdle(process.hProcess, 60'000);
    HWND shown;
    while (!(shown = FindWindowW(nullptr, L"Quillop"))) Sleep(50);
    HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, onMessage, self, process.dwThreadId);
    PostMessageW(shown, WM_NULL, kStart, rounds);
    WaitForSingleObject(process.hProcess, INFINITE);
    UnhookWindowsHookEx(hook);
}
