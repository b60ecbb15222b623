#include "controls.h"

#include "form1.h"
#include "option_focus.h"
#include "scale.h"
#include "texts.h"
#include "wide_string.h"

namespace quillop::ui {

namespace {

struct Blueprint {
    ControlId id;
    const wchar_t* windowClass;
    DWORD style;
    const char16_t* caption;
    layout::Twips place;
    bool inFrame1;
};

// The controller moves the focus by Tab and the arrows; the styles still say
// what a dialog template would, for screen readers and the dialog manager. An
// option group runs from its first option to the next control that starts
// one (WS_GROUP), so each label starts a group of its own.
constexpr DWORD kFocusable = WS_TABSTOP | WS_GROUP;
constexpr DWORD kRadio = BS_RADIOBUTTON;  // not AUTO: the form decides
constexpr DWORD kFirstOption = kFocusable | kRadio;
constexpr DWORD kNextOption = WS_TABSTOP | kRadio;

// In creation order, which is the z-order (the first on top): each label right
// before its field, so that screen readers name the field by it, and above the
// field it overlaps by a pixel; the frame below the options inside it. Every
// control is clipped by those above it.
constexpr Blueprint kBlueprints[] = {
    {kCommand1Id, L"BUTTON", kFocusable | BS_PUSHBUTTON, texts::kCommand1, layout::kCommand1,
     false},
    {kLabel1Id, L"STATIC", WS_GROUP | SS_LEFT, texts::kLabel1, layout::kLabel1, false},
    {kText1Id, L"EDIT", kFocusable | ES_AUTOHSCROLL, nullptr, layout::kText1, false},
    {kOption1Id, L"BUTTON", kFirstOption, texts::kOption1, layout::kOption1, false},
    {kOption2Id, L"BUTTON", kNextOption, texts::kOption2, layout::kOption2, false},
    {kLabel2Id, L"STATIC", WS_GROUP | SS_LEFT, texts::kLabel2, layout::kLabel2, false},
    {kText2Id, L"EDIT", kFocusable | ES_AUTOHSCROLL, nullptr, layout::kText2, false},
    {kCheck1Id, L"BUTTON", kFocusable | BS_CHECKBOX, texts::kCheck1, layout::kCheck1, false},
    {kOption3Id, L"BUTTON", kFirstOption, texts::kOption3, layout::kOption3, true},
    {kOption4Id, L"BUTTON", kNextOption, texts::kOption4, layout::kOption4, true},
    {kCommand2Id, L"BUTTON", kFocusable | BS_PUSHBUTTON, texts::kCommand2, layout::kCommand2,
     false},
    {kFrame1Id, L"BUTTON", WS_GROUP | BS_GROUPBOX, texts::kFrame1, layout::kFrame1, false},
};

static_assert(std::size(kBlueprints) == kControlCount);

bool isField(ControlId id) { return id == kText1Id || id == kText2Id; }

}  // namespace

bool isOption(int id) {
    return id == kOption1Id || id == kOption2Id || id == kOption3Id || id == kOption4Id;
}

void Controls::create(HWND parent) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    for (const Blueprint& blueprint : kBlueprints) {
        const std::wstring caption =
            blueprint.caption ? files::wide(blueprint.caption) : std::wstring();
        HWND control = CreateWindowExW(
            isField(blueprint.id) ? WS_EX_CLIENTEDGE : 0, blueprint.windowClass, caption.c_str(),
            WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | blueprint.style, 0, 0, 0, 0, parent,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(blueprint.id)), instance, nullptr);
        handles_[blueprint.id - kFirstControlId] = control;
        if (isOption(blueprint.id)) ignoreFocusClicks(control);
    }
    SendMessageW((*this)[kText1Id], EM_SETLIMITTEXT, Form1::kText1MaxLength, 0);
    SendMessageW((*this)[kText2Id], EM_SETLIMITTEXT, Form1::kText2MaxLength, 0);
}

void Controls::layOut(UINT dpi, const Fonts& fonts) {
    const POINT frameCorner{layout::kFrame1.left, layout::kFrame1.top};
    for (const Blueprint& blueprint : kBlueprints) {
        const RECT r =
            toPixels(blueprint.place, dpi, blueprint.inFrame1 ? frameCorner : POINT{0, 0});
        HWND control = (*this)[blueprint.id];
        SetWindowPos(control, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        const HFONT font = isField(blueprint.id) ? fonts.field() : fonts.caption();
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
}

}  // namespace quillop::ui
