#pragma once

#include <QPointer>
#include <QWidget>

#include "message_boxes.h"

namespace quillop::ui {

// Message boxes as QMessageBox, modal over the window, captioned with the
// application title.
class QtMessageBoxes final : public MessageBoxes {
public:
    explicit QtMessageBoxes(QWidget* parent = nullptr) : parent_(parent) {}
    MessageAnswer show(const std::u16string& text, MessageIcon icon,
                       MessageButtons buttons) override;

private:
    QPointer<QWidget> parent_;
};

}  // namespace quillop::ui
