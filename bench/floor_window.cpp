// The floor of start-up time and memory: a bare Qt Widgets window with the
// program's menu bar (one menu, "Файл") over a client area of its size and no
// controls, centred and shown the way the program shows its own.
#include <QApplication>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Quillop floor"));
    auto* bar = new QMenuBar(&window);
    bar->addMenu(QStringLiteral("Файл"));
    const QSize size(297, 179 + bar->sizeHint().height());
    bar->setGeometry(0, 0, size.width(), bar->sizeHint().height());
    window.setFixedSize(size);
    window.setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size,
                                           QGuiApplication::primaryScreen()->availableGeometry()));
    window.show();
    return app.exec();
}
