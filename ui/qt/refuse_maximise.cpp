#include "refuse_maximise.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace quillop::ui {

namespace {

QWidget* widgetOf(const QWindow* window) {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->windowHandle() == window) return widget;
    return nullptr;
}

// Qt tells of a state that the compositor configured only after it has
// acknowledged it, and from then on the compositor takes every frame that is
// not of the maximised size for a protocol error; asking it to take the state
// back changes nothing it would answer. So the window is withdrawn before it
// draws again and shown anew in the normal state, as it was, with all it
// held; a message box closes as Escape would close it.
class MaximiseRefusal final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* window = qobject_cast<QWindow*>(watched);
        if (!window || event->type() != QEvent::WindowStateChange || !event->spontaneous() ||
            !(window->windowStates() & Qt::WindowMaximized) ||
            window->minimumSize() != window->maximumSize())
            return false;
        QWidget* widget = widgetOf(window);
        if (!widget) return false;
        if (auto* box = qobject_cast<QDialog*>(widget)) {
            box->reject();
            return true;
        }
        widget->hide();
        window->setWindowStates(window->windowStates() & ~Qt::WindowMaximized);
        widget->show();
        return true;
    }
};

}  // namespace

void refuseMaximiseOfFixedSizeWindows(QCoreApplication& app) {
    if (!QGuiApplication::platformName().startsWith(QStringLiteral("wayland"))) return;
    app.installEventFilter(new MaximiseRefusal(&app));
}

}  // namespace quillop::ui
