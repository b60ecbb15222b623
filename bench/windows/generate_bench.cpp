// From the press of Generate in the Both state until the symbolic field holds
// its symbols, the 1 ms timer included, in quillop.exe's window under its own
// message loop. The floor is a bare button whose press empties an EDIT and
// arms a 1 ms SetTimer that fills it, pressed in turn with the program's.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

#include "running_window.h"
#include "stats.h"
#include "system_clock.h"
#include "system_random.h"

namespace {

using quillop::ui::kCheck1Id;
using quillop::ui::kCommand1Id;
using quillop::ui::kText2Id;

// Nothing is saved here; the window only needs something to hold.
class NoFiles final : public quillop::files::FileReplacer {
public:
    std::optional<std::u16string> replace(const std::u16string&, std::string_view) override {
        return std::nullopt;
    }
};

constexpr UINT_PTR kFloorTimer = 1;
HWND floorField = nullptr;
int floorLength = 6;

LRESULT CALLBACK floorProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        SetWindowTextW(floorField, L"");
        SetTimer(window, kFloorTimer, 1, nullptr);
        return 0;
    }
    if (message == WM_TIMER && wParam == kFloorTimer) {
        KillTimer(window, kFloorTimer);
        SetWindowTextW(floorField, std::wstring(L"QWERTYUI", floorLength).c_str());
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND floorButton() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = floorProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"QuillopGenerateFloor";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"Floor", WS_OVERLAPPEDWINDOW, 0, 0,
                                  300, 200, nullptr, nullptr, windowClass.hInstance, nullptr);
    HWND button = CreateWindowExW(0, L"BUTTON", L"Generate", WS_CHILD | WS_VISIBLE, 0, 0, 100, 25,
                                  window, nullptr, windowClass.hInstance, nullptr);
    floorField = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 40, 100, 20, window,
                                 nullptr, windowClass.hInstance, nullptr);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    return button;
}

double now() {
    static const double perMs = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return double(frequency.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return double(counter.QuadPart) / perMs;
}

}  // namespace

int wmain(int argc, wchar_t* argv[]) {
    const int clicks = argc > 1 ? _wtoi(argv[1]) : 1000;
    quillop::SystemRandom random;
    quillop::SystemClock clock;
    NoFiles files;
    quillop::bench::RunningWindow window(
        {.random = random, .clock = clock, .replacer = files, .programFolder = u"C:\\nowhere"});
    if (!window.created()) return 1;
    const HWND floor = floorButton();
    window.click(kCheck1Id);
    if (SendMessageW(window.control(kCheck1Id), BM_GETCHECK, 0, 0) != BST_CHECKED) {
        std::fprintf(stderr, "the window is not in the Both state\n");
        return 1;
    }

    const auto program = [&] {
        const double start = now();
        window.click(kCommand1Id);
        window.pumpUntilFilled(kText2Id, floorLength);
        return now() - start;
    };
    const auto floorClick = [&] {
        const double start = now();
        SendMessageW(floor, BM_CLICK, 0, 0);
        quillop::bench::RunningWindow::pumpUntil(floorField, floorLength);
        return now() - start;
    };
    for (int i = 0; i < 50; ++i) {
        program();
        floorClick();
    }
    std::vector<double> programMs, floorMs;
    quillop::bench::alternate(clicks, program, floorClick, programMs, floorMs);
    if (window.text(quillop::ui::kText1Id).empty()) {
        std::fprintf(stderr, "Generate did not fill both fields\n");
        return 1;
    }
    quillop::bench::printRow("win_generate", "Windows: Generate to filled, Both state (ms)",
                             programMs, floorMs, "Quillop < 3 ms");
    return 0;
}
