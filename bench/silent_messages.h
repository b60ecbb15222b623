#pragma once

#include "message_boxes.h"

namespace quillop::bench {

// Answers every box with OK at once, remembering the last icon shown.
class SilentMessages final : public MessageBoxes {
public:
    MessageAnswer show(const std::u16string&, MessageIcon icon, MessageButtons) override {
        lastIcon = icon;
        ++shown;
        return MessageAnswer::Ok;
    }

    MessageIcon lastIcon = MessageIcon::Information;
    int shown = 0;
};

}  // namespace quillop::bench
