#include "main_window.h"

#include "dpi.h"
#include "field_colours.h"
#include "handlers.h"
#include "menu.h"
#include "option_click.h"
#include "option_focus.h"
#include "render_first.h"
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

struct OptionControl {
    ControlId id;
    Option option;
};
constexpr OptionControl kOptions[] = {{kOption1Id, Option::Option1},
                                      {kOption2Id, Option::Option2},
                                      {kOption3Id, Option::Option3},
                                      {kOption4Id, Option::Option4}};

const OptionControl& optionOf(ControlId id) {
    for (const OptionControl& option : kOptions)
        if (option.id == id) return option;
    return kOptions[0];
}

std::u16string textOf(HWND control) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), int(text.size()))));
    return files::utf16(text);
}

void setTextIfChanged(HWND control, const std::u16string& text) {
    if (textOf(control) != text) SetWindowTextW(control, files::wide(text).c_str());
}

void setChecked(HWND control, bool checked) {
    SendMessageW(control, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
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
    return RegisterClassExW(&windowClass) != 0;
}

}  // namespace

MainWindow::MainWindow(Services services) : services_(std::move(services)) {}

MainWindow::~MainWindow() {
    if (window_) DestroyWindow(window_);
}

bool MainWindow::create(HINSTANCE instance, int showCommand) {
    if (!registerClass(instance, procedure)) return false;
    menu_ = buildMenuBar();
    window_ = CreateWindowExW(kExStyle, kWindowClass, files::wide(texts::kAppTitle).c_str(), kStyle,
                              CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr, menu_, instance, this);
    if (!window_) return false;
    boxes_ = std::make_unique<Win32MessageBoxes>(window_);
    messages_ = std::make_unique<RenderFirst>(*boxes_, [this] { render(); });

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
    render();
    ShowWindow(window_, showCommand);  // activation gives Command1 the focus
    return true;
}

bool MainWindow::takeKey(const MSG& message) {
    if (message.hwnd != window_ && !IsChild(window_, message.hwnd)) return false;
    if (message.message == WM_SYSKEYDOWN) showKeyboardCues();  // Alt, alone or with a key
    if (message.message != WM_KEYDOWN || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0)
        return false;
    HWND focus = GetFocus();
    const int id = focus ? GetDlgCtrlID(focus) : 0;
    switch (message.wParam) {
        case VK_TAB:
            showKeyboardCues();
            moveFocus(GetKeyState(VK_SHIFT) < 0);
            return true;
        case VK_UP:
        case VK_DOWN:
        case VK_LEFT:
        case VK_RIGHT:
            if (!isOption(id)) return false;
            showKeyboardCues();
            stepInGroup(focus, message.wParam == VK_UP || message.wParam == VK_LEFT);
            return true;
        case VK_RETURN:
            // Presses the push button that has the focus; anywhere else it does
            // nothing, since the window has no default button.
            if (id == kCommand1Id || id == kCommand2Id) onControl(id, BN_CLICKED, focus);
            return true;
        default:
            return false;
    }
}

void MainWindow::moveFocus(bool backwards) {
    if (HWND next = controls_.nextTabStop(GetFocus(), backwards)) {
        SetFocus(next);
        // A field entered by Tab has its text selected, as in a dialog.
        if (next == controls_[kText1Id] || next == controls_[kText2Id])
            SendMessageW(next, EM_SETSEL, 0, -1);
    }
}

// The next option of the group, round its end, takes the focus and is chosen
// as by a click. The group is the dialog manager's: up to the next WS_GROUP.
void MainWindow::stepInGroup(HWND option, bool backwards) {
    HWND next = GetNextDlgGroupItem(window_, option, backwards);
    if (!next || !isOption(GetDlgCtrlID(next))) return;
    SetFocus(next);
    clickOption(form_, optionOf(static_cast<ControlId>(GetDlgCtrlID(next))).option);
    render();
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
            } else if (HIWORD(wParam) == 0) {
                onMenu(LOWORD(wParam));
            }
            return 0;
        case WM_TIMER:
            if (wParam == kTimer1) onTick();
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
    if (code == EN_CHANGE) {
        // Typing and pasting go straight into the form; the field's limit has
        // already cut what does not fit.
        if (id == kText1Id) form_.Text1.Text = textOf(control);
        if (id == kText2Id) form_.Text2.Text = textOf(control);
        return;
    }
    if (code != BN_CLICKED) return;
    switch (id) {
        case kOption1Id:
        case kOption2Id:
        case kOption3Id:
        case kOption4Id:
            if (isFocusClick(control)) return;
            clickOption(form_, optionOf(static_cast<ControlId>(id)).option);
            break;
        case kCheck1Id:
            clickCheck1(form_);
            break;
        case kCommand1Id:
            onCommand1Click(form_, services_.random, services_.clock, *messages_);
            break;
        case kCommand2Id:
            onCommand2Click(form_, *messages_);
            break;
        default:
            return;  // Enter and Escape (IDOK, IDCANCEL) press nothing
    }
    render();
}

void MainWindow::onMenu(int id) {
    switch (id) {
        case kMnuSaveChis:
            return save(files::onMnuSaveChisClick);
        case kMnuSaveSim:
            return save(files::onMnuSaveSimClick);
        case kMnuSave:
            return save(files::onMnuSaveClick);
        case kMnuExit:
            // At once: no pending tick or other message runs after OK.
            if (onMnuExitClick(*messages_)) TerminateProcess(GetCurrentProcess(), 0);
            return;
        default:
            return;
    }
}

void MainWindow::onTick() {
    // One tick per arming: the timer is off before the handler runs.
    KillTimer(window_, kTimer1);
    timerArmed_ = false;
    if (form_.Timer1.Enabled) onTimer1Tick(form_, services_.random, *messages_);
    render();
}

void MainWindow::save(void (*command)(const Form1&, files::SaveServices&)) {
    files::SaveServices services{services_.programFolder, services_.replacer, *messages_};
    command(form_, services);
    render();
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

void MainWindow::render() {
    setTextIfChanged(controls_[kText1Id], form_.Text1.Text);
    setTextIfChanged(controls_[kText2Id], form_.Text2.Text);
    for (const OptionControl& option : kOptions) {
        const OptionButton& state = optionButton(form_, option.option);
        setChecked(controls_[option.id], state.Value);
        EnableWindow(controls_[option.id], state.Enabled);
    }
    setChecked(controls_[kCheck1Id], form_.Check1.Value == 1);
    EnableWindow(controls_[kCommand1Id], form_.Command1.Enabled);
    EnableWindow(controls_[kCommand2Id], form_.Command2.Enabled);
    renderMenu(menu_, form_);
    // Arming an armed timer adds no tick.
    if (form_.Timer1.Enabled && !timerArmed_)
        timerArmed_ = SetTimer(window_, kTimer1, Form1::kTimer1IntervalMs, nullptr) != 0;
    if (!form_.Timer1.Enabled && timerArmed_) {
        KillTimer(window_, kTimer1);
        timerArmed_ = false;
    }
}

}  // namespace quillop::ui
