#include <QApplication>

#include "desktop_language.h"
#include "end_process.h"
#include "main_window.h"
#include "platform_choice.h"
#include "posix_file_replacer.h"
#include "program_folder.h"
#include "refuse_maximise.h"
#include "system_clock.h"
#include "system_random.h"
#include "window_icon.h"

int main(int argc, char* argv[]) {
    quillop::ui::QtCommandLine commandLine(argc, argv);
    QApplication app(commandLine.argc(), commandLine.argv());
    quillop::ui::refuseMaximiseOfFixedSizeWindows(app);
    quillop::ui::speakDesktopLanguage(app);
    QApplication::setWindowIcon(quillop::ui::quillopIcon());
    // Ties the window to its menu entry and icon where the desktop asks (Wayland).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.quillop.Quillop"));

    quillop::SystemRandom random;
    quillop::SystemClock clock;
    quillop::files::PosixFileReplacer replacer;
    quillop::ui::MainWindow window({.platform = {.random = random,
                                                 .clock = clock,
                                                 .replacer = replacer,
                                                 .programFolder = quillop::files::programFolder()},
                                    .endProgram = quillop::ui::endProcessNow});
    window.showCentred();
    return app.exec();
}
