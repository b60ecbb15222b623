// The floor of quillop.exe, built by the same toolchain with the same flags:
// the least window with its menu bar (Файл and its four items) and one caption
// in its font, Comic Sans MS 8.25 pt with the Cyrillic character set, of its
// client area's size at 96 DPI, centred and shown the way quillop.exe shows
// its own. Every menu item saves a numeric password's file with the plain
// system calls of an atomic replace into the current folder and shows a box.
// With "generate" the window sits at the screen's corner and has a button
// where Generate is, whose press empties an EDIT where the symbolic field is
// and arms a 1 ms timer whose tick fills it.
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

constexpr UINT_PTR kTimer = 1;
HWND field = nullptr;

bool plainReplace() {
    // "Числовой пароль: " in Windows-1251, a password, CR LF.
    static const char bytes[] =
        "\xD7\xE8\xF1\xEB\xEE\xE2\xEE\xE9\x20\xEF\xE0\xF0\xEE\xEB\xFC\x3A\x20"
        "123456789\r\n";
    HANDLE file = CreateFileW(L"floor.tmp", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    const bool ok = file != INVALID_HANDLE_VALUE &&
                    WriteFile(file, bytes, sizeof bytes - 1, &written, nullptr) &&
                    FlushFileBuffers(file) && CloseHandle(file);
    return ok && MoveFileExW(L"floor.tmp", L"Числовой пароль.txt",
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && !lParam) {  // a menu item
        MessageBoxW(window, plainReplace() ? L"Сохранено" : L"Не сохранено", L"Quillop",
                    MB_ICONINFORMATION);
    } else if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
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

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    const bool generate = __argc > 1 && std::wstring(__wargv[1]) == L"generate";
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure, windowClass.hInstance = instance;
    windowClass.hbrBackground = HBRUSH(COLOR_BTNFACE + 1), windowClass.lpszClassName = L"Floor";
    RegisterClassW(&windowClass);

    constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    RECT rect{0, 0, 297, 179};
    AdjustWindowRect(&rect, style, TRUE);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"Quillop", style,
                                  !generate ? work.left + (work.right - work.left - width) / 2 : 0,
                                  !generate ? work.top + (work.bottom - work.top - height) / 2 : 0,
                                  width, height, nullptr, menuBar(), instance, nullptr);
    HWND caption = CreateWindowExW(0, L"STATIC", L"Числовой пароль", WS_CHILD | WS_VISIBLE, 160, 88,
                                   129, 17, window, nullptr, instance, nullptr);
    HFONT font = CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, RUSSIAN_CHARSET, 0, 0, 0, 0,
                             L"Comic Sans MS");
    SendMessageW(caption, WM_SETFONT, WPARAM(font), FALSE);
    if (generate) {
        CreateWindowExW(0, L"BUTTON", L"Generate", WS_CHILD | WS_VISIBLE, 160, 24, 97, 25, window,
                        nullptr, instance, nullptr);
        field = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 8, 80, 137,
                                19, window, nullptr, instance, nullptr);
    }
    ShowWindow(window, showCommand);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return 0;
}
