#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "controls.h"
#include "fonts.h"
#include "form1.h"
#include "message_boxes.h"
#include "platform_services.h"
#include "save_commands.h"

namespace quillop::ui {

using Services = files::PlatformServices;

// Form1: renders the form model into native controls and feeds every user
// action back into it through the handlers.
class MainWindow {
public:
    explicit MainWindow(Services services);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Builds the window, centres it on its screen and shows it with the focus
    // on Command1; false if the system refused.
    bool create(HINSTANCE instance, int showCommand);
    HWND handle() const { return window_; }
    // The keys of a form, taken before the dialog manager, which would follow
    // its own conventions for option buttons: Tab and Shift+Tab in the table's
    // order, the arrow keys inside an option group, Enter on a focused push
    // button. Tab, the arrows and Alt also show the focus and the access keys.
    // True if the message was taken.
    bool takeKey(const MSG& message);

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void moveFocus(bool backwards);
    void stepInGroup(HWND option, bool backwards);
    void showKeyboardCues();
    void onControl(int id, int code, HWND control);
    void onMenu(int id);
    void onTick();
    void layOut(UINT dpi);
    SIZE fitClientArea(UINT dpi);
    void render();
    void save(void (*command)(const Form1&, files::SaveServices&));

    Form1 form_;
    Services services_;
    HWND window_ = nullptr;
    HMENU menu_ = nullptr;
    Controls controls_;
    std::unique_ptr<Fonts> fonts_;
    std::unique_ptr<MessageBoxes> boxes_;
    std::unique_ptr<MessageBoxes> messages_;  // renders the form, then shows the box
    HWND focused_ = nullptr;                  // the control to give the focus back to
    bool timerArmed_ = false;
    bool highContrast_ = false;
};

}  // namespace quillop::ui
