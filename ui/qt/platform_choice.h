#pragma once

#include <vector>

namespace quillop::ui {

// The command line Qt starts with: the program's own, with "-platform
// xcb;wayland" in front where an X server is at hand (DISPLAY is set: an X11
// session, or a GNOME or Plasma session on Wayland with XWayland) and the user
// has chosen no platform (QT_QPA_PLATFORM). There the window manager centres
// the window, leaves it a close button only and puts the boxes over it; Qt's
// own title bar on Wayland cannot. Wayland comes second, for an X server that
// does not answer. The environment, which anything started from here would
// inherit, stays as it was.
class QtCommandLine {
public:
    QtCommandLine(int argc, char* argv[]);
    int& argc() { return argc_; }
    char** argv() { return arguments_.data(); }

private:
    std::vector<char*> arguments_;
    int argc_ = 0;
};

}  // namespace quillop::ui
