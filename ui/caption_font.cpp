#include "caption_font.h"

#include <QApplication>
#include <QFontDatabase>

namespace quillop::ui {

QFont captionFont() {
    static const QFont font = [] {
        QFont chosen = QApplication::font();
        for (const char* family : {"Comic Sans MS", "Comic Neue"}) {
            if (QFontDatabase::hasFamily(QString::fromLatin1(family))) {
                chosen = QFont(QString::fromLatin1(family));
                break;
            }
        }
        chosen.setPointSizeF(8.25);
        chosen.setWeight(QFont::Normal);
        chosen.setItalic(false);
        return chosen;
    }();
    return font;
}

}  // namespace quillop::ui
