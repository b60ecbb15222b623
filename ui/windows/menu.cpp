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

}  // namespace quillop::ui
