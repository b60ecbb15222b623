#include "caption_font.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetricsF>

#include "layout.h"
#include "texts.h"

namespace quillop::ui {

namespace {

// The captions were laid out for Comic Sans MS. A wider face that stands in
// for it is narrowed just enough that the longest caption, the frame's title,
// still fits its frame with a pixel to spare on each side.
void narrowToFit(QFont& font) {
    const qreal room = layout::toPixels(layout::kFrame1).width() - 4;
    const qreal advance =
        QFontMetricsF(font).horizontalAdvance(QString::fromStdU16String(texts::kFrame1));
    if (advance > room) font.setStretch(static_cast<int>(100 * room / advance));
}

}  // namespace

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
        narrowToFit(chosen);
        return chosen;
    }();
    return font;
}

}  // namespace quillop::ui
