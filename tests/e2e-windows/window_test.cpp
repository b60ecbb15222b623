// The real window in this process, under wine in the X session of
// wine_window.sh: what a screen reader is told of each control, the fields'
// colours, the layout at each DPI, and that every key and click reaches the
// controller through the program's own message loop and shows on the controls.
#include <windows.h>
// oleacc.h needs the types of windows.h
#include <gtest/gtest.h>
#include <oleacc.h>

#include <map>
#include <sstream>

#include "dpi.h"
#include "field_colours.h"
#include "main_window.h"
#include "menu.h"
#include "scale.h"
#include "test_doubles.h"
#include "wide_string.h"
#include "win32_file_replacer.h"

namespace quillop::ui {
namespace {

// Each message box shown, as "Quillop (i) OK Cancel: text" (title, icon:
// (i) information, (x) critical, buttons); answered Cancel where it can be.
std::u16string boxes;

LRESULT CALLBACK answerBoxes(int code, WPARAM wParam, LPARAM lParam) {
    const auto box = reinterpret_cast<HWND>(wParam);
    wchar_t title[16] = {}, text[256] = {};
    if (code == HCBT_ACTIVATE && GetDlgItemTextW(box, 0xffff, text, 256)) {
        GetWindowTextW(box, title, 16);
        const bool cancel = GetDlgItem(box, IDCANCEL);
        // Wine keeps the box's icon in item 1088.
        const auto icon = HICON(SendDlgItemMessageW(box, 1088, STM_GETICON, 0, 0));
        boxes += files::utf16(title) +
                 (icon == LoadIconW(nullptr, IDI_ERROR)         ? u" (x) OK"
                  : icon == LoadIconW(nullptr, IDI_INFORMATION) ? u" (i) OK"
                                                                : u" (?) OK") +
                 (cancel ? u" Cancel: " : u": ") + files::utf16(text) + u"; ";
        PostMessageW(box, WM_COMMAND, cancel ? IDCANCEL : IDOK, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

Control named(const std::string& name) {
    int c = 0;
    while (doubles::nameOf(Control(c)) != std::u16string(name.begin(), name.end())) ++c;
    return Control(c);
}

const std::map<std::string, WORD> kKeys = {
    {"Tab", VK_TAB}, {"Return", VK_RETURN}, {"Up", VK_UP}, {"Down", VK_DOWN}, {"space", VK_SPACE}};

struct Window {
    doubles::ScriptedRandom random{{0.5, 0, 0, 0, 0, 0, 0, 0, 0, 0.5}};
    files::Win32FileReplacer replacer;
    MainWindow window{{random, random, replacer, u"Z:\\nowhere"}};
    HHOOK hook = SetWindowsHookExW(WH_CBT, answerBoxes, nullptr, GetCurrentThreadId());
    Window() {
        CoInitialize(nullptr);  // for what MSAA reads
        boxes.clear();
        EXPECT_TRUE(window.create(GetModuleHandleW(nullptr), SW_SHOWNORMAL));
        for (int i = 0; i < 100 && GetForegroundWindow() != window.handle(); ++i) pump();
    }
    ~Window() { UnhookWindowsHookEx(hook); }
    HWND get(Control control) const { return GetDlgItem(window.handle(), idOf(control)); }

    // Handles what the thread holds as the program's loop does, until it is idle.
    void pump() {
        for (int quiet = 0; quiet < 3; ++quiet, Sleep(20))
            for (MSG m; PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE); quiet = 0)
                if (!window.takeKey(m) && !IsDialogMessageW(window.handle(), &m))
                    TranslateMessage(&m), DispatchMessageW(&m);
    }
    // Real key presses ("shift+" holds the shift key), "click:CONTROL", or
    // "menu:N", the File menu's Nth item.
    void act(const std::string& actions) {
        const auto send = [](WORD key, DWORD flags) {
            INPUT input{INPUT_KEYBOARD, {.ki = {key, 0, flags, 0, 0}}};
            SendInput(1, &input, sizeof input);
        };
        std::istringstream words(actions);
        for (std::string word; words >> word; pump()) {
            if (word.starts_with("click:")) {
                SendMessageW(get(named(word.substr(6))), BM_CLICK, 0, 0);
                continue;
            }
            if (word.starts_with("menu:")) {
                SendMessageW(window.handle(), WM_COMMAND,
                             kMnuSaveChis + std::stoi(word.substr(5)) - 1, 0);
                continue;
            }
            const bool shift = word.starts_with("shift+");
            const WORD key = kKeys.at(word.substr(shift ? 6 : 0));
            if (shift) send(VK_SHIFT, 0);
            send(key, 0);
            send(key, KEYEVENTF_KEYUP);
            if (shift) send(VK_SHIFT, KEYEVENTF_KEYUP);
        }
    }
    // What the controls and menu items show, in the words of doubles::describe.
    std::string shows() const {
        const auto checked = [this](Control c) {
            return SendMessageW(get(c), BM_GETCHECK, 0, 0) == BST_CHECKED;
        };
        const auto enabled = [this](Control c) { return IsWindowEnabled(get(c)) != 0; };
        Form1 f;
        for (auto [c, option] : {std::pair{Control::Option1, &f.Option1},
                                 {Control::Option2, &f.Option2},
                                 {Control::Option3, &f.Option3},
                                 {Control::Option4, &f.Option4}})
            *option = {checked(c), enabled(c)};
        f.Check1.Value = checked(Control::Check1);
        f.Command1.Enabled = enabled(Control::Command1);
        f.Command2.Enabled = enabled(Control::Command2);
        MenuItem* items[] = {&f.mnuSaveChis, &f.mnuSaveSim, &f.mnuSave, &f.mnuExit};
        for (UINT i = 0; i < 4; ++i)
            items[i]->Enabled = !(
                GetMenuState(GetMenu(window.handle()), kMnuSaveChis + i, MF_BYCOMMAND) & MF_GRAYED);
        f.Text1.Text = text(get(Control::Text1));
        f.Text2.Text = text(get(Control::Text2));
        return doubles::describe(f);
    }
    static std::u16string text(HWND control) {
        wchar_t buffer[64] = {};
        GetWindowTextW(control, buffer, 64);
        return files::utf16(buffer);
    }
    // The control with the focus, " selected" after a field whose whole text is.
    std::u16string focus() const {
        HWND focused = GetFocus();
        DWORD start = 0, end = 0;
        if (focused == get(Control::Text1) || focused == get(Control::Text2))
            SendMessageW(focused, EM_GETSEL, WPARAM(&start), LPARAM(&end));
        const bool whole = end > start && end == DWORD(GetWindowTextLengthW(focused));
        return doubles::nameOf(Control(GetDlgCtrlID(focused) - kFirstControlId)) +
               (whole ? u" selected" : u"");
    }
};

// From the top, as a screen reader meets them: each control's kind, the name
// MSAA gives it (a field's is its label's, the label right before it), and g
// where a group of the dialog manager starts.
TEST(WindowTest, ScreenReadersHearEveryControlByItsName) {
    Window w;
    std::u16string heard;
    for (HWND c = GetWindow(w.window.handle(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        wchar_t kind[8] = {};
        GetClassNameW(c, kind, 8);
        const LONG style = GetWindowLongW(c, GWL_STYLE);
        IAccessible* object = nullptr;
        BSTR name = nullptr;
        VARIANT self{};
        self.vt = VT_I4;
        if (AccessibleObjectFromWindow(c, OBJID_CLIENT, __uuidof(IAccessible),
                                       reinterpret_cast<void**>(&object)) == S_OK) {
            object->get_accName(self, &name);
            object->Release();
        }
        heard += files::utf16(kind) + u'(' + char16_t(u'0' + (style & BS_TYPEMASK)) + u") " +
                 files::utf16(name ? name : L"?") + (style & WS_GROUP ? u" g; " : u"; ");
        SysFreeString(name);
    }
    EXPECT_EQ(heard,
              u"Button(0) Генерировать g; Static(0) Числовой g; Edit(0) Числовой g; "
              u"Button(4) Числовой пароль g; Button(4) Символьный пароль; "
              u"Static(0) Символьный g; Edit(0) Символьный g; Button(2) Одновременно g; "
              u"Button(4) 6 значный g; Button(4) 8 значный; Button(0) Очистить поля g; "
              u"Button(7) Генерировать числовой g; ");
}

// Pure green on the window-frame colour, with the same system brush each time,
// unless high contrast is on.
TEST(WindowTest, FieldsAreGreenOnTheFrameColourUnlessHighContrastIsOn) {
    Window w;
    HDC dc = CreateCompatibleDC(nullptr);
    LRESULT brushes[2];
    for (const Control field : {Control::Text1, Control::Text2})
        brushes[field == Control::Text2] =
            SendMessageW(w.window.handle(), WM_CTLCOLOREDIT, WPARAM(dc), LPARAM(w.get(field)));
    EXPECT_EQ(GetTextColor(dc), RGB(0, 255, 0));
    EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(brushes[0], LRESULT(GetSysColorBrush(COLOR_WINDOWFRAME)));
    EXPECT_EQ(brushes[1], brushes[0]);
    DeleteDC(dc);
    // With high contrast on, the user's own window colours.
    const FieldColours contrast = fieldColours(true);
    EXPECT_EQ(contrast.text, GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(contrast.background, GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(contrast.brush, GetSysColorBrush(COLOR_WINDOW));
}

// At the DPI it starts at, then moved to the other of 96 and 192 and back, as
// between two monitors: the client area and every control where the layout
// puts it, and the caption font made anew, the old one freed.
TEST(WindowTest, EveryControlInPlaceAtEachDpiWithItsOldFontFreed) {
    Window w;
    HWND main = w.window.handle();
    const UINT start = dpi::of(main);
    const std::pair<int, layout::Twips> places[] = {
        {kCommand1Id, layout::kCommand1}, {kText1Id, layout::kText1},
        {kOption1Id, layout::kOption1},   {kOption2Id, layout::kOption2},
        {kText2Id, layout::kText2},       {kCheck1Id, layout::kCheck1},
        {kOption3Id, layout::kOption3},   {kOption4Id, layout::kOption4},
        {kCommand2Id, layout::kCommand2}, {kLabel1Id, layout::kLabel1},
        {kLabel2Id, layout::kLabel2},     {kFrame1Id, layout::kFrame1}};
    const UINT dpis[] = {start, start == 96 ? 192u : 96u, start};
    for (const UINT& dpi : dpis) {
        const auto font = [&] {
            return HFONT(SendMessageW(GetWindow(main, GW_CHILD), WM_GETFONT, 0, 0));
        };
        const HFONT before = font();
        RECT r, client;
        GetWindowRect(main, &r);
        if (&dpi != dpis) SendMessageW(main, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), LPARAM(&r));
        // The window manager confirms the new size in its own time.
        const RECT size{0, 0, toPixels(layout::kClientArea.width, dpi),
                        toPixels(layout::kClientArea.height, dpi)};
        for (int i = 0; i < 50 && (GetClientRect(main, &client), !EqualRect(&client, &size)); ++i)
            w.pump();
        EXPECT_TRUE(EqualRect(&client, &size)) << client.right << " x " << client.bottom;
        for (const auto& [id, twips] : places) {
            const bool inFrame = id == kOption3Id || id == kOption4Id;
            const RECT want =
                toPixels(twips, dpi,
                         inFrame ? POINT{layout::kFrame1.left, layout::kFrame1.top} : POINT{0, 0});
            GetWindowRect(GetDlgItem(main, id), &r);
            MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&r), 2);
            EXPECT_TRUE(EqualRect(&r, &want)) << id << " at " << dpi;
        }
        LOGFONTW caption{};
        GetObjectW(font(), sizeof caption, &caption);
        EXPECT_EQ(caption.lfHeight, -MulDiv(825, int(dpi), 7200));
        if (font() != before) {
            EXPECT_EQ(GetObjectType(before), 0u) << "the old font is kept";
        }
    }
}

// Each key, click and menu command, from where the last row left the focus:
// where the focus is then, what the controls show (the save items enabled
// from the first Generate on), and the boxes shown.
TEST(WindowTest, EveryKeyAndClickReachesTheController) {
    const char16_t* const cleared = u"Quillop (i) OK: Числовое и Символьное поля очищены!; ";
    const std::tuple<const char*, const char16_t*, std::string, const char16_t*> rows[] = {
        {"", u"Command1", "Option1 Option3 [|]", u""},
        {"Return", u"Command1", "Option1 Option3 [500000|]", u""},
        {"Tab", u"Text1 selected", "Option1 Option3 [500000|]", u""},
        {"shift+Tab Tab Tab Tab", u"Option2", "Option1 Option3 [500000|]", u""},
        {"Up", u"Option1", "Option1 Option3 [500000|]", u""},
        {"Down", u"Option2", "Option2 Option3 Clear [|]", u""},
        {"menu:3", u"Option2", "Option2 Option3 Clear [|]",
         u"Quillop (x) OK: Ошибка сохранения файла!!!; "},
        {"menu:4", u"Option2", "Option2 Option3 Clear [|]",
         u"Quillop (i) OK Cancel: Вы хотите выйти?; "},
        {"Tab Tab Tab Down", u"Option4", "Option2 Option4 Clear [|]", u""},
        {"Tab Tab Return", u"Command1", "Option2 Option4 Clear [|QQQQQQQQ]", u""},
        {"shift+Tab Return", u"Command2", "Option2 Option4 Clear [|]", cleared},
        {"shift+Tab shift+Tab shift+Tab space", u"Check1",
         "Option4 Check1 !Option1 !Option2 Clear [|]", u""},
        {"click:Check1 click:Option1 click:Option3 click:Command1", u"Command1",
         "Option1 Option3 [500000|]", u""},
        {"click:Option2 click:Command2", u"Command2", "Option2 Option3 Clear [|]", cleared},
    };
    Window w;
    for (auto [actions, focus, form, shown] : rows) {
        boxes.clear();
        w.act(actions);
        if (*actions) form.insert(form.find('['), "SaveChis SaveSim SaveBoth ");
        EXPECT_EQ(w.focus(), focus) << actions;
        EXPECT_EQ(w.shows(), form) << actions;
        EXPECT_EQ(boxes, shown) << actions;
    }
}

}  // namespace
}  // namespace quillop::ui
