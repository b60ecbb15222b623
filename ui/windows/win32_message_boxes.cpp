#include "win32_message_boxes.h"

#include "texts.h"
#include "wide_string.h"

namespace quillop::ui {

MessageAnswer Win32MessageBoxes::show(const std::u16string& text, MessageIcon icon,
                                      MessageButtons buttons) {
    const UINT type = (icon == MessageIcon::Critical ? MB_ICONERROR : MB_ICONINFORMATION) |
                      (buttons == MessageButtons::OkCancel ? MB_OKCANCEL : MB_OK);
    // Escape and the box's close button give IDCANCEL, which counts as Cancel.
    const int answer =
        MessageBoxW(owner_, files::wide(text).c_str(), files::wide(texts::kAppTitle).c_str(), type);
    return answer == IDOK ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

}  // namespace quillop::ui
