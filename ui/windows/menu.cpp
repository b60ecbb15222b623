#include "menu.h"

#include "texts.h"
#include "wide_string.h"

namespace quillop::ui {

namespace {

struct Item {
    MenuCommand command;
    const char16_t* caption;
    MenuItem Form1::*property;
};

constexpr Item kItems[] = {{kMnuSaveChis, texts::kMnuSaveChis, &Form1::mnuSaveChis},
                           {kMnuSaveSim, texts::kMnuSaveSim, &Form1::mnuSaveSim},
                           {kMnuSave, texts::kMnuSave, &Form1::mnuSave},
                           {kMnuExit, texts::kMnuExit, &Form1::mnuExit}};

}  // namespace

HMENU buildMenuBar() {
    HMENU file = CreatePopupMenu();
    for (const Item& item : kItems)
        AppendMenuW(file, MF_STRING, item.command, files::wide(item.caption).c_str());
    HMENU bar = CreateMenu();
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file),
                files::wide(texts::kMnuFile).c_str());
    return bar;
}

void renderMenu(HMENU bar, const Form1& form) {
    for (const Item& item : kItems) {
        const bool enabled = (form.*item.property).Enabled;
        EnableMenuItem(bar, item.command, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    }
}

}  // namespace quillop::ui
