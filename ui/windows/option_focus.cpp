#include "option_focus.h"

#include <commctrl.h>

namespace quillop::ui {

namespace {

HWND focusing = nullptr;  // the option inside its WM_SETFOCUS, if any

LRESULT CALLBACK markFocusClicks(HWND option, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR) {
    if (message != WM_SETFOCUS) return DefSubclassProc(option, message, wParam, lParam);
    focusing = option;
    const LRESULT result = DefSubclassProc(option, message, wParam, lParam);
    focusing = nullptr;
    return result;
}

}  // namespace

void ignoreFocusClicks(HWND option) { SetWindowSubclass(option, markFocusClicks, 1, 0); }

bool isFocusClick(HWND option) { return option == focusing; }

}  // namespace quillop::ui
