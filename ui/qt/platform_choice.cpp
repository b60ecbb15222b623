#include "platform_choice.h"

#include <cstdlib>

namespace quillop::ui {

namespace {

bool isSet(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

// Qt takes the command line as char*; it reorders the pointers, never the text.
char platformOption[] = "-platform";
char xcbFirst[] = "xcb;wayland";

}  // namespace

QtCommandLine::QtCommandLine(int argc, char* argv[]) : arguments_(argv, argv + argc) {
    // After the program's name, so a -platform given on the command line still wins.
    if (argc > 0 && isSet("DISPLAY") && !isSet("QT_QPA_PLATFORM"))
        arguments_.insert(arguments_.begin() + 1, {platformOption, xcbFirst});
    argc_ = static_cast<int>(arguments_.size());
    arguments_.push_back(nullptr);
}

}  // namespace quillop::ui
