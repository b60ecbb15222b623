#pragma once

#include <QPalette>

namespace quillop::ui {

// The password fields' colours: pure green on black (the window-frame colour
// of the classic Windows scheme), or, where the user asked for high contrast,
// the desktop's own text colours, which that user can read.
QPalette fieldColours(QPalette desktop, bool highContrast);

// Whether the desktop asks for high contrast. Qt reports it from 6.10 on;
// 6.4 and 6.8 report nothing of the kind (6.8's colour scheme is only light
// or dark), and there the answer is no.
bool highContrastPreferred();

}  // namespace quillop::ui
