#pragma once

#include <string>

namespace quillop {

enum class MessageIcon { Information, Critical };
enum class MessageButtons { Ok, OkCancel };
enum class MessageAnswer { Ok = 1, Cancel = 2 };  // closing the box any other way is Cancel

// Modal message boxes; every box carries the application title as its caption.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual MessageAnswer show(const std::u16string& text, MessageIcon icon,
                               MessageButtons buttons) = 0;
};

}  // namespace quillop
