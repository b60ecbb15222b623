#pragma once

#include <QIcon>

namespace quillop::ui {

// The program's own 32 x 32, 16-colour icon.
QIcon quillopIcon();

}  // namespace quillop::ui
