// The floor of start-up time and memory: a bare Qt Widgets window with no
// controls, of the size given as WIDTHxHEIGHT (the program's whole window,
// menu bar included), shown the way the program shows its own. With "menu"
// after the size it also has a menu bar with one menu, which is the least
// window that draws any text: it tells the cost of the font system apart.
#include <QApplication>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // The client area and about one menu bar, when no size is given.
    QSize size(297, 179 + 21);
    const QStringList args = QApplication::arguments();
    if (args.size() > 1) {
        const QStringList parts = args[1].split(QLatin1Char('x'));
        if (parts.size() == 2) size = QSize(parts[0].toInt(), parts[1].toInt());
    }

    QWidget window;
    window.setWindowTitle(QStringLiteral("Quillop floor"));
    window.setFixedSize(size);
    if (args.size() > 2 && args[2] == QLatin1String("menu")) {
        auto* bar = new QMenuBar(&window);
        bar->addMenu(QStringLiteral("Файл"));
        bar->setGeometry(0, 0, size.width(), bar->sizeHint().height());
    }
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window.setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size,
                                               screen->availableGeometry()));
    window.show();
    return app.exec();
}
