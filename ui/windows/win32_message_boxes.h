#pragma once

#include <windows.h>

#include "message_boxes.h"

namespace quillop::ui {

// MessageBoxW over the window, captioned with the application's title.
class Win32MessageBoxes final : public MessageBoxes {
public:
    explicit Win32MessageBoxes(HWND owner) : owner_(owner) {}
    MessageAnswer show(const std::u16string& text, MessageIcon icon,
                       MessageButtons buttons) override;

private:
    HWND owner_;
};

}  // namespace quillop::ui
