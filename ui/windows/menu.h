#pragma once

#include <windows.h>

#include "form1.h"

namespace quillop::ui {

// The menu bar: one popup, Файл, with the three save items and Выход.
enum MenuCommand : UINT { kMnuSaveChis = 200, kMnuSaveSim, kMnuSave, kMnuExit };

HMENU buildMenuBar();
// Greys or enables each item as the form says.
void renderMenu(HMENU bar, const Form1& form);

}  // namespace quillop::ui
