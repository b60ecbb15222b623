#pragma once

#include <QMainWindow>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "controller.h"
#include "platform_services.h"
#include "save_commands.h"

class QAction;

namespace quillop::ui {

// What the window reaches the platform through; tests substitute any of them.
struct Services {
    files::PlatformServices platform;
    std::function<void()> endProgram;  // after a confirmed exit
    MessageBoxes* messages = nullptr;  // null: real message boxes over this window
};

// Form1 in Qt widgets: shows what the controller tells it and passes every
// click, key, typed text and tick to it.
class MainWindow final : public QMainWindow, private View {
public:
    explicit MainWindow(Services services);
    ~MainWindow() override;

    const Form1& form() const { return controller_.form(); }
    void showCentred();
    using QWidget::setEnabled;
    using QWidget::setFocus;
    using QWidget::show;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildClientArea();
    void buildMenu();
    void connectControls();
    QWidget* widget(Control control) const { return controls_[static_cast<int>(control)]; }

    void setText(Control field, const std::u16string& text) override;
    void setChecked(Control control, bool checked) override;
    void setEnabled(Control control, bool enabled) override;
    void setFocus(Control control, bool selectText) override;
    void setTimer(bool armed) override;
    void endProgram() override;
    MessageAnswer show(const std::u16string& text, MessageIcon icon,
                       MessageButtons buttons) override;

    Services services_;
    std::unique_ptr<MessageBoxes> ownMessages_;
    files::PasswordFiles files_;
    Controller controller_;
    bool rendering_ = false;  // the widgets' own signals are then no user input

    std::array<QWidget*, 9> controls_{};  // the focusable ones, in the order of Control
    std::array<QAction*, 4> items_{};     // the File menu's
    QTimer Timer1_;
};

}  // namespace quillop::ui
