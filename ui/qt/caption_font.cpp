#include "caption_font.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetricsF>

#include "layout.h"

namespace quillop::ui {

namespace {

// The captions were laid out for Comic Sans MS; a wider face that stands in
// for it is narrowed just enough that the longest captions still fit.
void narrowToFit(QFont& font) {
    const double scale = layout::captionScale([&font](const char16_t* caption) {
        return QFontMetricsF(font).horizontalAdvance(QString::fromStdU16String(caption)) * 15;
    });
    if (scale < 1.0) font.setStretch(static_cast<int>(100 * scale));
}

}  // namespace

QFont captionFont() {
    static const QFont font = [] {
        QFont chosen = QApplication::font();
        // A face without Cyrillic would show every caption in some other font.
        const QString comicSans = QStringLiteral("Comic Sans MS");
        if (QFontDatabase::hasFamily(comicSans) &&
            QFontDatabase::writingSystems(comicSans).contains(QFontDatabase::Cyrillic))
            chosen = QFont(comicSans);
        chosen.setPointSizeF(8.25);
        chosen.setWeight(QFont::Normal);
        chosen.setItalic(false);
        narrowToFit(chosen);
        return chosen;
    }();
    return font;
}

}  // namespace quillop::ui
