#include "menu.h"

#include "texts.h"
#include "wide_string.h"

namespace quillop::ui {

namespace {

struct Item {
    MenuCommand command;
    const char16_t* caption;
};

constexpr Item kItems[] = {{kMnuSaveChis, texts::kMnuSaveChis},
                           {kMnuSaveSim, texts::kMnuSaveSim},
                           {kMnuSave, texts::kMnuSave},
                           {kMnuExit, texts::kMnuExit}};

const MenuItem& itemOf(const Form1& form, MenuCommand command) {
    switch (command) {
        case kMnuSaveChis:
            return form.mnuSaveChis;
        case kMnuSaveSim:
            return form.mnuSaveSim;
        case kMnuSave:
            return form.mnuSave;
        case kMnuExit:
            break;
    }
    return form.mnuExit;
}

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
        const bool enabled = itemOf(form, item.command).Enabled;
        EnableMenuItem(bar, item.command, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    }
}

}  // namespace quillop::ui
