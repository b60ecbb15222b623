#include <windows.h>
// commctrl.h needs the types of windows.h
#include <commctrl.h>

#include "dpi.h"
#include "main_window.h"
#include "program_folder.h"
#include "system_clock.h"
#include "system_dlls.h"
#include "system_random.h"
#include "win32_file_replacer.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    // Done already, before the C runtime's constructors; the call also keeps
    // the constructor that does it linked in.
    quillop::ui::loadDllsFromSystemFolderOnly();
    quillop::ui::dpi::becomeAware();
    const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);

    quillop::SystemRandom random;
    quillop::SystemClock clock;
    quillop::files::Win32FileReplacer replacer;
    quillop::ui::MainWindow window({.random = random,
                                    .clock = clock,
                                    .replacer = replacer,
                                    .programFolder = quillop::files::programFolder()});
    if (!window.create(instance, showCommand)) return 1;

    // The dialog manager gives the access keys and no default button; the
    // window takes the keys whose meaning in a form differs from a dialog's.
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (window.takeKey(message)) continue;
        if (window.handle() && IsDialogMessageW(window.handle(), &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
