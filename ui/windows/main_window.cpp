#include "main_window.h"

#include <optional>

#include "dpi.h"
#include "field_colours.h"
#include "menu.h"
#include "option_focus.h"
#include "resource.h"
#include "scale.h"
#include "texts.h"
#include "wide_string.h"
#include "win32_message_boxes.h"

namespace quillop::ui {

namespace {

constexpr wchar_t kWindowClass[] = L"QuillopForm1";
// A close box and the system menu; no minimise or maximise box, no sizing border.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = 0;
constexpr UINT_PTR kTimer1 = 1;

std::u16string textOf(HWND control) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), int(text.size()))));
    return files::utf16(text);
}

// The keys the controller answers, from a key-down message.
std::optional<Key> formKey(WPARAM virtualKey) {
    switch (virtualKey) {
        case VK_TAB:
            return GetKeyState(VK_SHIFT) < 0 ? Key::ShiftTab : Key::Tab;
        case VK_UP:
            return Key::Up;
        case VK_DOWN:
            return Key::Down;
        case VK_LEFT:
            return Key::Left;
        case VK_RIGHT:
            return Key::Right;
        case VK_RETURN:
            return Key::Enter;
        default:
            return std::nullopt;
    }
}

bool registerClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_QUILLOP));
    windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_QUILLOP),
                                                        IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                        GetSystemMetrics(SM_CYSMICON), 0));
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    // A second window of one process (the window's tests make several) shares it.
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

MainWindow::MainWindow(Services services)
    : files_(std::move(services.programFolder), services.replacer),
      controller_(*this, services.random, services.clock, files_, FieldEntry::SelectText) {}

MainWindow::~MainWindow() {
    if (window_) DestroyWindow(window_);
}

bool MainWindow::create(HINSTANCE instance, int showCommand) {
    if (!registerClass(instance, procedure)) return false;
    menu_ = buildMenuBar();
    window_ = CreateWindowExW(kExStyle, kWindowClass, files::wide(texts::kAppTitle).c_str(), kStyle,
                              CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr, menu_, instance, this);
    if (!window_) return false;

    highContrast_ = highContrastOn();
    controls_.create(window_);
    layOut(dpi::of(window_));
    const SIZE size = fitClientArea(dpi::of(window_));
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    SetWindowPos(window_, nullptr, work.left + (work.right - work.left - size.cx) / 2,
                 work.top + (work.bottom - work.top - size.cy) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(window_, showCommand);
    controller_.start();
    return true;
}

bool MainWindow::takeKey(const MSG& message) {
    if (message.hwnd != window_ && !IsChild(window_, message.hwnd)) return false;
    if (message.message == WM_SYSKEYDOWN) showKeyboardCues();  // Alt, alone or with a key
    if (message.message != WM_KEYDOWN || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0)
        return false;
    const int id = GetFocus() ? GetDlgCtrlID(GetFocus()) : 0;
    const auto key = formKey(message.wParam);
    if (!key || id < kFirstControlId || id > kCommand2Id) return false;
    if (*key != Key::Enter) showKeyboardCues();
    return controller_.key(static_cast<Control>(id - kFirstControlId), *key);
}

// What the dialog manager does for its own keys: a window opened by the mouse
// hides the focus rectangle and the access keys until the keyboard is used.
void MainWindow::showKeyboardCues() {
    SendMessageW(window_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS | UISF_HIDEACCEL),
                 0);
}

LRESULT CALLBACK MainWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY && self) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
        self = nullptr;
    }
    return self ? self->handle(message, wParam, lParam)
                : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT MainWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (lParam) {
                onControl(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            } else if (HIWORD(wParam) == 0 && LOWORD(wParam) >= kMnuSaveChis &&
                       LOWORD(wParam) <= kMnuExit) {
                controller_.click(static_cast<Control>(int(Control::mnuSaveChis) + LOWORD(wParam) -
                                                       kMnuSaveChis));
            }
            return 0;
        case WM_TIMER:
            if (wParam == kTimer1) controller_.tick();
            return 0;
        case WM_CTLCOLOREDIT: {
            const FieldColours colours = fieldColours(highContrast_);
            const auto dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, colours.text);
            SetBkColor(dc, colours.background);
            return reinterpret_cast<LRESULT>(colours.brush);
        }
        case WM_SETTINGCHANGE:
        case WM_SYSCOLORCHANGE:
            // High contrast switched on or off, or other system colours.
            highContrast_ = highContrastOn();
            InvalidateRect(controls_[kText1Id], nullptr, TRUE);
            InvalidateRect(controls_[kText2Id], nullptr, TRUE);
            return 0;
        case WM_ACTIVATE:
            // Back from a message box or another program: the focus returns to
            // the control that had it, as in a dialog.
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focused = GetFocus();
                focused_ = focused && IsChild(window_, focused) ? focused : nullptr;
            } else if (!HIWORD(wParam)) {
                SetFocus(focused_ ? focused_ : controls_[kCommand1Id]);
            }
            return 0;
        case WM_DPICHANGED: {
            const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(window_, nullptr, suggested->left, suggested->top,
                         suggested->right - suggested->left, suggested->bottom - suggested->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            layOut(LOWORD(wParam));
            fitClientArea(LOWORD(wParam));
            return 0;
        }
        case WM_DESTROY:
            // The title bar's close: no question, and no tick after it.
            KillTimer(window_, kTimer1);
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window_, message, wParam, lParam);
    }
}

void MainWindow::onControl(int id, int code, HWND control) {
    if (rendering_ || id < kFirstControlId || id > kCommand2Id) return;
    const auto which = static_cast<Control>(id - kFirstControlId);
    // Typing and pasting; the field's limit has already cut what does not fit.
    if (code == EN_CHANGE) controller_.typed(which, textOf(control));
    if (code == BN_CLICKED && !isFocusClick(control)) controller_.click(which);
}

void MainWindow::layOut(UINT dpi) {
    // The new fonts are in place before the old ones go.
    auto fonts = std::make_unique<Fonts>(dpi);
    controls_.layOut(dpi, *fonts);
    fonts_ = std::move(fonts);
}

// Sizes the window so its client area is the layout's, below the menu bar.
SIZE MainWindow::fitClientArea(UINT dpi) {
    const RECT client{0, 0, toPixels(layout::kClientArea.width, dpi),
                      toPixels(layout::kClientArea.height, dpi)};
    const RECT outer = dpi::windowRectFor(client, kStyle, true, kExStyle, dpi);
    SIZE size{outer.right - outer.left, outer.bottom - outer.top};
    for (int attempt = 0; attempt < 2; ++attempt) {
        SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        RECT got{};
        GetClientRect(window_, &got);
        if (got.right == client.right && got.bottom == client.bottom) break;
        // A menu bar of another height than the system reckoned: correct by the difference.
        size.cx += client.right - got.right;
        size.cy += client.bottom - got.bottom;
    }
    return size;
}

void MainWindow::setText(Control field, const std::u16string& text) {
    rendering_ = true;
    SetWindowTextW(controls_[idOf(field)], files::wide(text).c_str());
    rendering_ = false;
}

void MainWindow::setChecked(Control control, bool checked) {
    SendMessageW(controls_[idOf(control)], BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void MainWindow::setEnabled(Control control, bool enabled) {
    if (control < Control::mnuSaveChis) {
        EnableWindow(controls_[idOf(control)], enabled);
    } else {
        const UINT item = kMnuSaveChis + int(control) - int(Control::mnuSaveChis);
        EnableMenuItem(menu_, item, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    }
}

void MainWindow::setFocus(Control control, bool selectText) {
    HWND next = controls_[idOf(control)];
    SetFocus(next);
    if (selectText) SendMessageW(next, EM_SETSEL, 0, -1);
}

// SetTimer repeats: the controller disarms it in the tick, before any box.
void MainWindow::setTimer(bool armed) {
    if (armed)
        SetTimer(window_, kTimer1, Form1::kTimer1IntervalMs, nullptr);
    else
        KillTimer(window_, kTimer1);
}

void MainWindow::endProgram() { TerminateProcess(GetCurrentProcess(), 0); }

MessageAnswer MainWindow::show(const std::u16string& text, MessageIcon icon,
                               MessageButtons buttons) {
    return Win32MessageBoxes(window_).show(text, icon, buttons);
}

}  // namespace quillop::ui
