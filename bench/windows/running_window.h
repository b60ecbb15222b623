#pragma once

#include <windows.h>
// commctrl.h needs the types of windows.h
#include <commctrl.h>

#include <string>

#include "controls.h"
#include "dpi.h"
#include "main_window.h"
#include "system_dlls.h"

// quillop.exe's window started in this process as its wWinMain starts it,
// and driven as a person drives it: BM_CLICK presses a control, a menu item is
// the WM_COMMAND its pick sends, and each message box is answered with OK as
// soon as it is up. The message loop is quillop.exe's.
namespace quillop::bench {

class RunningWindow {
public:
    explicit RunningWindow(ui::Services services) : window_(std::move(services)) {
        ui::loadDllsFromSystemFolderOnly();
        ui::dpi::becomeAware();
        const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&classes);
        created_ = window_.create(GetModuleHandleW(nullptr), SW_SHOWNORMAL);
        hook_ = SetWindowsHookExW(WH_CBT, answerBox, nullptr, GetCurrentThreadId());
    }
    ~RunningWindow() { UnhookWindowsHookEx(hook_); }
    RunningWindow(const RunningWindow&) = delete;
    RunningWindow& operator=(const RunningWindow&) = delete;

    bool created() const { return created_ && hook_; }
    HWND handle() const { return window_.handle(); }
    HWND control(ui::ControlId id) const { return GetDlgItem(window_.handle(), id); }

    void click(ui::ControlId id) { SendMessageW(control(id), BM_CLICK, 0, 0); }
    // The box's text, empty if none was shown.
    std::wstring clickWithBox(ui::ControlId id) {
        return withBox([&] { click(id); });
    }
    std::wstring pick(int menuCommand) {
        return withBox([&] { SendMessageW(handle(), WM_COMMAND, MAKEWPARAM(menuCommand, 0), 0); });
    }

    std::wstring text(ui::ControlId id) const {
        wchar_t buffer[64] = {};
        GetWindowTextW(control(id), buffer, 64);
        return buffer;
    }

    // Runs quillop.exe's message loop until the field holds `length` characters.
    static void pumpUntil(HWND field, int length) { pumpUntil(nullptr, field, length); }
    void pumpUntilFilled(ui::ControlId id, int length) { pumpUntil(&window_, control(id), length); }

private:
    static void pumpUntil(ui::MainWindow* window, HWND field, int length) {
        MSG message;
        while (GetWindowTextLengthW(field) != length && GetMessageW(&message, nullptr, 0, 0) > 0) {
            if (window && window->takeKey(message)) continue;
            if (window && IsDialogMessageW(window->handle(), &message)) continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }

    template <typename Action>
    std::wstring withBox(Action action) {
        boxText_.clear();
        action();
        return boxText_;
    }

    // A message box is activated once its text and buttons are in place.
    static LRESULT CALLBACK answerBox(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_ACTIVATE) {
            const auto box = reinterpret_cast<HWND>(wParam);
            wchar_t windowClass[16] = {};
            GetClassNameW(box, windowClass, 16);
            if (std::wstring(windowClass) == L"#32770") {
                wchar_t text[512] = {};
                GetDlgItemTextW(box, 0xFFFF, text, 512);  // the box's message
                boxText_ = text;
                PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    ui::MainWindow window_;
    bool created_ = false;
    HHOOK hook_ = nullptr;
    static inline std::wstring boxText_;
};

}  // namespace quillop::bench
