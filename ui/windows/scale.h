#pragma once

#include <windows.h>

#include "layout.h"

namespace quillop::ui {

// The one conversion from the layout's twips to this window's pixels.
inline int toPixels(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), 1440); }

// A control's rectangle in client pixels; origin is its container's corner in
// twips (the frame's, for the two length options).
inline RECT toPixels(layout::Twips twips, UINT dpi, POINT origin = {0, 0}) {
    const int left = toPixels(origin.x + twips.left, dpi);
    const int top = toPixels(origin.y + twips.top, dpi);
    return {left, top, left + toPixels(twips.width, dpi), top + toPixels(twips.height, dpi)};
}

}  // namespace quillop::ui
