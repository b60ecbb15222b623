#pragma once

#include <windows.h>

#include <array>

#include "fonts.h"
#include "form1.h"

namespace quillop::ui {

// The window's child controls: the focusable ones in tab order (their ids
// follow Control), then the two labels and the frame.
enum ControlId : int {
    kFirstControlId = 100,  // clear of IDOK and IDCANCEL, which Enter and Escape send
    kCommand1Id = kFirstControlId,
    kText1Id,
    kOption1Id,
    kOption2Id,
    kText2Id,
    kCheck1Id,
    kOption3Id,
    kOption4Id,
    kCommand2Id,
    kLabel1Id,
    kLabel2Id,
    kFrame1Id,
    kEndControlId
};
constexpr int kControlCount = kEndControlId - kFirstControlId;

constexpr ControlId idOf(Control control) {
    return static_cast<ControlId>(kFirstControlId + static_cast<int>(control));
}

bool isOption(int id);

class Controls {
public:
    void create(HWND parent);
    // Places every control at this DPI and gives it its font.
    void layOut(UINT dpi, const Fonts& fonts);
    HWND operator[](ControlId id) const { return handles_[id - kFirstControlId]; }

private:
    std::array<HWND, kControlCount> handles_{};
};

}  // namespace quillop::ui
