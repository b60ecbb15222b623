#pragma once

#include <functional>
#include <string>
#include <utility>

#include "message_boxes.h"

namespace quillop {

// Message boxes that first bring the window up to date, so a box appears over
// a window that already shows what the handler did before it asked (the
// emptied fields behind "cleared", say).
class RenderFirst final : public MessageBoxes {
public:
    RenderFirst(MessageBoxes& boxes, std::function<void()> render)
        : boxes_(boxes), render_(std::move(render)) {}
    MessageAnswer show(const std::u16string& text, MessageIcon icon,
                       MessageButtons buttons) override {
        render_();
        return boxes_.show(text, icon, buttons);
    }

private:
    MessageBoxes& boxes_;
    std::function<void()> render_;
};

}  // namespace quillop
