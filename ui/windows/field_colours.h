#pragma once

#include <windows.h>

namespace quillop::ui {

// The password fields' colours: pure green on the system's window-frame
// colour, or, while high contrast is on, the user's own window text on the
// window colour, since green may be unreadable on a high-contrast frame
// colour. The brush is the system's: nothing to create or free.
struct FieldColours {
    COLORREF text;
    COLORREF background;
    HBRUSH brush;
};
FieldColours fieldColours(bool highContrast);

// Whether the user has high contrast on now.
bool highContrastOn();

}  // namespace quillop::ui
