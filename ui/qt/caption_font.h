#pragma once

#include <QFont>

namespace quillop::ui {

// The font of every captioned control: Comic Sans MS at 8.25 points where it
// has the Cyrillic letters of the captions, or else the system font at that size.
QFont captionFont();

}  // namespace quillop::ui
