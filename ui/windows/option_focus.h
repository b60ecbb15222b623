#pragma once

#include <windows.h>

namespace quillop::ui {

// An option button that gets the focus from the keyboard reports a click
// (the dialog convention for groups of auto radio buttons). Here Tab only
// moves the focus: such a click is marked so the window can ignore it.
void ignoreFocusClicks(HWND option);
bool isFocusClick(HWND option);

}  // namespace quillop::ui
