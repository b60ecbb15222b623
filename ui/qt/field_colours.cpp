#include "field_colours.h"

#include <QGuiApplication>
#include <QStyleHints>
#if QT_VERSION >= QT_VERSION_CHECK(6, 10, 0)
#include <QAccessibilityHints>
#endif

namespace quillop::ui {

QPalette fieldColours(QPalette desktop, bool highContrast) {
    if (highContrast) return desktop;
    desktop.setColor(QPalette::Base, Qt::black);
    desktop.setColor(QPalette::Text, QColor(0, 255, 0));
    return desktop;
}

bool highContrastPreferred() {
#if QT_VERSION >= QT_VERSION_CHECK(6, 10, 0)
    return QGuiApplication::styleHints()->accessibility()->contrastPreference() ==
           Qt::ContrastPreference::HighContrast;
#else
    return false;
#endif
}

}  // namespace quillop::ui
