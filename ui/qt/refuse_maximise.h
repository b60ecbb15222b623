#pragma once

class QCoreApplication;

namespace quillop::ui {

// Natively on Wayland, a window of fixed size (the main window, a message box)
// turns down "maximised", whether Qt 6.4's own title bar asked for it or the
// compositor decided it (weston's Super+Shift+M), and keeps its size. Qt 6.4
// would go on drawing it at its fixed size, which the compositor answers with
// a protocol error that ends the program; Qt 6.8 would grow it. Call once,
// after the application is made.
void refuseMaximiseOfFixedSizeWindows(QCoreApplication& app);

}  // namespace quillop::ui
