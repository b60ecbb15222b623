// The floors of quillop.exe, built by the same toolchain with the same flags.
// With no argument, the floor of start-up: the least window with its menu bar
// (Файл and its four items) and one caption in its font, Comic Sans MS 8.25 pt
// with the Cyrillic character set, of its client area's size (at 96 DPI),
// centred and shown the way quillop.exe shows its own. With "generate", the
// same window at the screen's corner has a button where Generate is, whose
// press empties an EDIT where the symbolic field is and arms a 1 ms timer
// whose tick fills it. With "save FOLDER N", no window: N times the plain
// system calls of an atomic replace of a numeric password's file.
#include <windows.h>

#include <cstdlib>
#include <cwchar>
#include <string>

namespace {

constexpr UINT_PTR kTimer = 1;
HWND field = nullptr;

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        SetWindowTextW(field, L"");
        SetTimer(window, kTimer, 1, nullptr);
    } else if (message == WM_TIMER && wParam == kTimer) {
        KillTimer(window, kTimer);
        static int fills = 0;  // each fill differs from the one before
        SetWindowTextW(field, std::wstring(6, wchar_t(L'A' + fills++ % 26)).c_str());
    } else if (message == WM_DESTROY) {
        PostQuitMessage(0);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HMENU menuBar() {
    HMENU file = CreatePopupMenu();
    for (const wchar_t* item :
         {L"Сохранить числовой", L"Сохранить символьный", L"Сохранить оба", L"Выход"})
        AppendMenuW(file, MF_STRING, 200, item);
    HMENU bar = CreateMenu();
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"Файл");
    return bar;
}

bool plainReplace(const std::wstring& folder) {
    // "Числовой пароль: " in Windows-1251, a password, CR LF.
    static const char bytes[] =
        "\xD7\xE8\xF1\xEB\xEE\xE2\xEE\xE9\x20\xEF\xE0\xF0\xEE\xEB\xFC\x3A\x20"
        "123456789\r\n";
    const std::wstring temporary = folder + L"\\floor.tmp";
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    const bool ok = file != INVALID_HANDLE_VALUE &&
                    WriteFile(file, bytes, sizeof bytes - 1, &written, nullptr) &&
                    FlushFileBuffers(file) && CloseHandle(file);
    return ok && MoveFileExW(temporary.c_str(), (folder + L"\\Числовой пароль.txt").c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    const std::wstring mode = __argc > 1 ? __wargv[1] : L"";
    if (mode == L"save" && __argc > 3) {
        for (int i = _wtoi(__wargv[3]); i > 0; --i)
            if (!plainReplace(__wargv[2])) return 1;
        return 0;
    }
    SetProcessDPIAware();
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"QuillopFloor";
    RegisterClassW(&windowClass);

    constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    RECT rect{0, 0, 297, 179};
    AdjustWindowRect(&rect, style, TRUE);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const bool centred = mode != L"generate";
    HWND window = CreateWindowExW(
        0, windowClass.lpszClassName, L"Quillop", style,
        centred ? work.left + (work.right - work.left - width) / 2 : 0,
        centred ? work.top + (work.bottom - work.top - height) / 2 : 0, width, height, nullptr,
        menuBar(), instance, nullptr);
    if (!window) return 1;
    LOGFONTW font{};
    font.lfHeight = -11;
    font.lfCharSet = RUSSIAN_CHARSET;
    std::wcscpy(font.lfFaceName, L"Comic Sans MS");
    HWND caption = CreateWindowExW(0, L"STATIC", L"Числовой пароль", WS_CHILD | WS_VISIBLE, 160, 88,
                                   129, 17, window, nullptr, instance, nullptr);
    SendMessageW(caption, WM_SETFONT, reinterpret_cast<WPARAM>(CreateFontIndirectW(&font)), FALSE);
    if (mode == L"generate") {
        CreateWindowExW(0, L"BUTTON", L"Generate", WS_CHILD | WS_VISIBLE, 160, 24, 97, 25, window,
                        nullptr, instance, nullptr);
        field = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 8, 80, 137,
                                19, window, nullptr, instance, nullptr);
    }
    ShowWindow(window, showCommand);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
