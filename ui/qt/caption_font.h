#pragma once

#include <QFont>

namespace quillop::ui {

// The font of every captioned control: Comic Sans MS at 8.25 points, or
// Comic Neue where it is missing, or else the system font at that size;
// a face counts only if it has the Cyrillic letters of the captions.
QFont captionFont();

}  // namespace quillop::ui
