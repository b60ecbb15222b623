// The floor of quillop.exe's start-up: the least window with its menu bar
// (Файл and its four items) and one caption in its font, Comic Sans MS
// 8.25 pt with the Cyrillic character set, of its client area's size, centred
// and shown the way quillop.exe shows its own. An argument (the size the
// launcher measured) is ignored: the size is the layout's. Built with
// QUILLOP_FLOOR_CXX_RUNTIME, its title is a std::wstring and it starts inside
// a try block, as quillop.exe does: that tells the C++ runtime's size apart.
#include <windows.h>

#ifdef QUILLOP_FLOOR_CXX_RUNTIME
#include <stdexcept>
#include <string>
#endif

#include "layout.h"
#include "texts.h"

namespace {

const wchar_t* wide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HMENU menuBar() {
    HMENU file = CreatePopupMenu();
    const char16_t* const items[] = {quillop::texts::kMnuSaveChis, quillop::texts::kMnuSaveSim,
                                     quillop::texts::kMnuSave, quillop::texts::kMnuExit};
    for (const char16_t* item : items) AppendMenuW(file, MF_STRING, 200, wide(item));
    HMENU bar = CreateMenu();
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), wide(quillop::texts::kMnuFile));
    return bar;
}

}  // namespace

int run(HINSTANCE instance, int showCommand) {
    SetProcessDPIAware();
    const int dpi = [] {
        HDC screen = GetDC(nullptr);
        const int value = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        return value;
    }();
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"QuillopFloor";
    RegisterClassW(&windowClass);

    constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    RECT rect{0, 0, MulDiv(quillop::layout::kClientArea.width, dpi, 1440),
              MulDiv(quillop::layout::kClientArea.height, dpi, 1440)};
    AdjustWindowRect(&rect, style, TRUE);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
#ifdef QUILLOP_FLOOR_CXX_RUNTIME
    const std::wstring title = wide(quillop::texts::kAppTitle);
    if (title.empty()) throw std::runtime_error("no title");
#else
    const wchar_t* const title = wide(quillop::texts::kAppTitle);
#endif
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, &title[0], style,
                                  work.left + (work.right - work.left - width) / 2,
                                  work.top + (work.bottom - work.top - height) / 2, width, height,
                                  nullptr, menuBar(), instance, nullptr);
    if (!window) return 1;

    LOGFONTW font{};
    font.lfHeight = -MulDiv(825, dpi, 7200);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = RUSSIAN_CHARSET;
    lstrcpyW(font.lfFaceName, L"Comic Sans MS");
    const quillop::layout::Twips& place = quillop::layout::kOption1;
    HWND caption = CreateWindowExW(
        0, L"STATIC", wide(quillop::texts::kOption1), WS_CHILD | WS_VISIBLE,
        MulDiv(place.left, dpi, 1440), MulDiv(place.top, dpi, 1440), MulDiv(place.width, dpi, 1440),
        MulDiv(place.height, dpi, 1440), window, nullptr, instance, nullptr);
    SendMessageW(caption, WM_SETFONT, reinterpret_cast<WPARAM>(CreateFontIndirectW(&font)), FALSE);
    ShowWindow(window, showCommand);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
#ifdef QUILLOP_FLOOR_CXX_RUNTIME
    try {
        return run(instance, showCommand);
    } catch (const std::exception&) {
        return 1;
    }
#else
    return run(instance, showCommand);
#endif
}
