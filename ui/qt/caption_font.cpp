#include "caption_font.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <algorithm>
#include <utility>

#include "qt_layout.h"
#include "texts.h"

namespace quillop::ui {

namespace {

// The captions were laid out for Comic Sans MS. A wider face that stands in
// for it is narrowed just enough that the two longest captions still fit:
// the frame's title, with a pixel to spare on each side, and the symbolic
// option's, beside its indicator (about 26 pixels with spacing and margins).
void narrowToFit(QFont& font) {
    const std::pair<const char16_t*, qreal> captions[] = {
        {texts::kFrame1, toPixels(layout::kFrame1).width() - 4.0},
        {texts::kOption2, toPixels(layout::kOption2).width() - 26.0},
    };
    qreal scale = 1.0;
    for (const auto& [caption, room] : captions) {
        const qreal advance =
            QFontMetricsF(font).horizontalAdvance(QString::fromStdU16String(caption));
        scale = std::min(scale, room / advance);
    }
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
