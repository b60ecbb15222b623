#pragma once

class QCoreApplication;

namespace quillop::ui {

// Qt's own words (the message boxes' buttons, a field's context menu) in the
// language of the desktop, as Windows shows its own; the program's captions
// and messages are Russian whatever it is. Call once, before the window.
void speakDesktopLanguage(QCoreApplication& app);

}  // namespace quillop::ui
