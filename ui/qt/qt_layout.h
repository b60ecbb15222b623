#pragma once

#include <QRect>
#include <QSize>

#include "layout.h"

namespace quillop::ui {

// Twips to Qt's device-independent pixels (96 per inch); Qt scales those to
// the screen itself.
constexpr QRect toPixels(layout::Twips t) {
    return QRect(t.left / 15, t.top / 15, t.width / 15, t.height / 15);
}

}  // namespace quillop::ui
