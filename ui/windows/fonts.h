#pragma once

#include <windows.h>

namespace quillop::ui {

// The window's two fonts at one DPI: Comic Sans MS 8.25 pt with the Cyrillic
// character set for every captioned control, the system's message font for
// the password fields. Rebuilt when the window moves to another DPI.
class Fonts {
public:
    explicit Fonts(UINT dpi);
    ~Fonts();
    Fonts(const Fonts&) = delete;
    Fonts& operator=(const Fonts&) = delete;

    HFONT caption() const { return caption_; }
    HFONT field() const { return field_; }

private:
    HFONT caption_;
    HFONT field_;
};

}  // namespace quillop::ui
