#pragma once

#include <windows.h>

namespace quillop::ui {

// The menu bar: one popup, Файл, with the three save items and Выход.
enum MenuCommand : UINT { kMnuSaveChis = 200, kMnuSaveSim, kMnuSave, kMnuExit };

HMENU buildMenuBar();

}  // namespace quillop::ui
