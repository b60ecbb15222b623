#include "qt_message_boxes.h"

#include <QLocale>
#include <QMessageBox>
#include <QPushButton>

#include "texts.h"

namespace quillop::ui {

MessageAnswer QtMessageBoxes::show(const std::u16string& text, MessageIcon icon,
                                   MessageButtons buttons) {
    const auto qtIcon =
        icon == MessageIcon::Critical ? QMessageBox::Critical : QMessageBox::Information;
    const auto qtButtons = buttons == MessageButtons::OkCancel
                               ? QMessageBox::Ok | QMessageBox::Cancel
                               : QMessageBox::StandardButtons(QMessageBox::Ok);
    QMessageBox box(qtIcon, QString::fromStdU16String(texts::kAppTitle),
                    QString::fromStdU16String(text), qtButtons, parent_);
    box.setDefaultButton(QMessageBox::Ok);
    // Qt's Russian words keep OK in Latin letters, which Windows writes «ОК».
    if (QLocale().language() == QLocale::Russian)
        box.button(QMessageBox::Ok)->setText(QStringLiteral("ОК"));
    // Escape and the title bar's close give the escape button: Cancel where there is one.
    box.exec();
    return box.clickedButton() == box.button(QMessageBox::Ok) ? MessageAnswer::Ok
                                                              : MessageAnswer::Cancel;
}

}  // namespace quillop::ui
