#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "controller.h"
#include "controls.h"
#include "fonts.h"
#include "platform_services.h"
#include "save_commands.h"

namespace quillop::ui {

using Services = files::PlatformServices;

// Form1 in native controls: shows what the controller tells it and passes
// every click, key, typed text and tick to it.
class MainWindow final : private View {
public:
    explicit MainWindow(Services services);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Builds the window, centres it on its screen and shows it with the focus
    // on Command1; false if the system refused.
    bool create(HINSTANCE instance, int showCommand);
    HWND handle() const { return window_; }
    // The keys whose meaning in a form differs from a dialog's, taken before
    // the dialog manager and given to the controller. Tab, the arrows and Alt
    // also show the focus and the access keys. True if the message was taken.
    bool takeKey(const MSG& message);

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void showKeyboardCues();
    void onControl(int id, int code, HWND control);
    void layOut(UINT dpi);
    SIZE fitClientArea(UINT dpi);

    void setText(Control field, const std::u16string& text) override;
    void setChecked(Control control, bool checked) override;
    void setEnabled(Control control, bool enabled) override;
    void setFocus(Control control, bool selectText) override;
    void setTimer(bool armed) override;
    void endProgram() override;
    MessageAnswer show(const std::u16string& text, MessageIcon icon,
                       MessageButtons buttons) override;

    files::PasswordFiles files_;
    Controller controller_;
    HWND window_ = nullptr;
    HMENU menu_ = nullptr;
    Controls controls_;
    std::unique_ptr<Fonts> fonts_;
    HWND focused_ = nullptr;  // the control to give the focus back to
    bool rendering_ = false;  // the controls' own notifications are then no user input
    bool highContrast_ = false;
};

}  // namespace quillop::ui
