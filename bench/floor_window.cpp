// The floor of start-up time, memory and a save: a bare Qt Widgets window with
// the program's menu bar ("Файл") over a client area of its size and no
// controls, centred and shown the way the program shows its own. The menu's
// one item saves a numeric password's file with the plain system calls of an
// atomic replace into the current folder, then shows a box.
#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QStyle>
#include <QWidget>

namespace {

bool plainReplace() {
    // "Числовой пароль: " in Windows-1251, a password, CR LF.
    static const char bytes[] =
        "\xD7\xE8\xF1\xEB\xEE\xE2\xEE\xE9\x20\xEF\xE0\xF0\xEE\xEB\xFC\x3A\x20"
        "123456789\r\n";
    const int fd = open("floor.tmp", O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    return fd >= 0 && write(fd, bytes, sizeof bytes - 1) == sizeof bytes - 1 &&
           fdatasync(fd) == 0 && close(fd) == 0 && rename("floor.tmp", "Числовой пароль.txt") == 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    auto* bar = new QMenuBar(&window);
    bar->addMenu(QStringLiteral("Файл"))->addAction(QStringLiteral("Сохранить числовой"), [&] {
        const bool saved = plainReplace();
        QMessageBox::information(&window, QStringLiteral("Quillop"),
                                 saved ? QStringLiteral("Сохранено") : QStringLiteral("Ошибка"));
    });
    const QSize size(297, 179 + bar->sizeHint().height());
    bar->setGeometry(0, 0, size.width(), bar->sizeHint().height());
    window.setFixedSize(size);
    window.setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size,
                                           QGuiApplication::primaryScreen()->availableGeometry()));
    window.show();
    return app.exec();
}
