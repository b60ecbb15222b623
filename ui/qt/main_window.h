#pragma once

#include <QMainWindow>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "form1.h"
#include "message_boxes.h"
#include "platform_services.h"
#include "save_commands.h"

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace quillop::ui {

// What the window reaches the platform through; tests substitute any of them.
struct Services {
    files::PlatformServices platform;
    std::function<void()> endProgram;  // after a confirmed exit
    MessageBoxes* messages = nullptr;  // null: real message boxes over this window
};

// Form1: renders the form model into widgets and feeds every user action
// back into it through the handlers.
class MainWindow final : public QMainWindow {
public:
    explicit MainWindow(Services services);
    ~MainWindow() override;

    const Form1& form() const { return form_; }
    void showCentred();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildClientArea();
    void buildMenu();
    void connectControls();
    void connectMenu();
    void setTabOrder();
    void followContrastPreference();
    void answerFormKeys();
    bool moveInGroup(QRadioButton* from, int key);
    bool enterField(QLineEdit* field, QEvent* event);
    void render();

    void save(void (*command)(const Form1&, files::SaveServices&));

    Form1 form_;
    bool rendering_ = false;  // the widgets' own signals are then no user input
    Services services_;
    std::unique_ptr<MessageBoxes> ownMessages_;
    std::unique_ptr<MessageBoxes> messages_;  // renders the form, then shows the box

    QPushButton* Command1_ = nullptr;
    QPushButton* Command2_ = nullptr;
    QLineEdit* Text1_ = nullptr;
    QLineEdit* Text2_ = nullptr;
    QLabel* Label1_ = nullptr;
    QLabel* Label2_ = nullptr;
    QRadioButton* Option1_ = nullptr;
    QRadioButton* Option2_ = nullptr;
    QRadioButton* Option3_ = nullptr;
    QRadioButton* Option4_ = nullptr;
    QCheckBox* Check1_ = nullptr;
    QGroupBox* Frame1_ = nullptr;
    QAction* mnuSaveChis_ = nullptr;
    QAction* mnuSaveSim_ = nullptr;
    QAction* mnuSave_ = nullptr;
    QAction* mnuExit_ = nullptr;
    QTimer Timer1_;
};

}  // namespace quillop::ui
