#include "main_window.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QStyle>
#include <QStyleHints>
#if QT_VERSION >= QT_VERSION_CHECK(6, 10, 0)
#include <QAccessibilityHints>
#endif
#include <algorithm>
#include <optional>

#include "caption_font.h"
#include "field_colours.h"
#include "option_button_accessible.h"
#include "password_field_accessible.h"
#include "qt_layout.h"
#include "qt_message_boxes.h"
#include "texts.h"
#include "window_icon.h"

namespace quillop::ui {

namespace {

QString qs(const char16_t* text) { return QString::fromStdU16String(text); }

// The accessible name is the caption as read, without the access-key marker.
template <typename W>
W* captioned(W* widget, const char16_t* caption, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setFont(captionFont());
    widget->setAccessibleName(qs(caption).remove(QLatin1Char('&')));
    return widget;
}

QPushButton* commandButton(QWidget* parent, const char16_t* caption, const char* name) {
    auto* button = captioned(new QPushButton(qs(caption), parent), caption, name);
    button->setAutoDefault(false);  // Enter and Escape press no button
    button->setDefault(false);
    return button;
}

QRadioButton* optionButton(QWidget* parent, const char16_t* caption, const char* name) {
    auto* option = captioned(new QRadioButton(qs(caption), parent), caption, name);
    // Selection is the form's: the program may leave a group with nothing selected.
    option->setAutoExclusive(false);
    return option;
}

QLineEdit* passwordField(QWidget* parent, int maxLength, const char* objectName) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(objectName));
    field->setMaxLength(maxLength);
    field->setPalette(fieldColours(QGuiApplication::palette(), highContrastPreferred()));
    return field;
}

// A Windows menu lets the keyboard reach a greyed item, which a screen reader
// then announces as unavailable; Qt's own styles skip it here.
class GreyedItemsReachable final : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override {
        if (hint == SH_Menu_AllowActiveAndDisabled) return 1;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};

template <typename W>
W* place(W* widget, layout::Twips twips) {
    widget->setGeometry(toPixels(twips));
    return widget;
}

// The keys the controller answers, as Qt reports them; nullopt for the rest.
std::optional<Key> formKey(const QKeyEvent& event) {
    const auto modifiers = event.modifiers() & ~Qt::KeypadModifier;
    if (event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab) {
        if (modifiers & ~Qt::ShiftModifier) return std::nullopt;
        return modifiers || event.key() == Qt::Key_Backtab ? Key::ShiftTab : Key::Tab;
    }
    if (modifiers) return std::nullopt;
    switch (event.key()) {
        case Qt::Key_Up:
            return Key::Up;
        case Qt::Key_Down:
            return Key::Down;
        case Qt::Key_Left:
            return Key::Left;
        case Qt::Key_Right:
            return Key::Right;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return Key::Enter;
        default:
            return std::nullopt;
    }
}

}  // namespace

MainWindow::MainWindow(Services services)
    : services_(std::move(services)),
      files_(services_.platform.programFolder, services_.platform.replacer),
      controller_(*this, services_.platform.random, services_.platform.clock, files_,
                  FieldEntry::KeepCaret) {
    if (!services_.messages) {
        ownMessages_ = std::make_unique<QtMessageBoxes>(this);
        services_.messages = ownMessages_.get();
    }
    announceOptionButtonsAsRadioButtons();
    readPasswordFieldsWhole();

    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(qs(texts::kAppTitle));
    setWindowIcon(quillopIcon());
    // A close button but no minimise or maximise button.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    setCentralWidget(buildClientArea());
    buildMenu();
    layout()->setSizeConstraint(QLayout::SetFixedSize);  // the user cannot resize

    Timer1_.setSingleShot(true);
    Timer1_.setInterval(Form1::kTimer1IntervalMs);
    Timer1_.setTimerType(Qt::PreciseTimer);

    connectControls();
#if QT_VERSION >= QT_VERSION_CHECK(6, 10, 0)
    connect(QGuiApplication::styleHints()->accessibility(),
            &QAccessibilityHints::contrastPreferenceChanged, this, [this] {
                for (Control field : {Control::Text1, Control::Text2})
                    widget(field)->setPalette(
                        fieldColours(QGuiApplication::palette(), highContrastPreferred()));
            });
#endif
    controller_.start();
}

MainWindow::~MainWindow() = default;

QWidget* MainWindow::buildClientArea() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setFixedSize(toPixels(layout::kClientArea).size());
    const auto keep = [this](Control control, QWidget* w) { controls_[int(control)] = w; };

    // Created in the order of the description, so where two controls overlap
    // by a pixel the later one is drawn on top (Label1 over Text1, ...).
    keep(Control::Command2,
         place(commandButton(client, texts::kCommand2, "Command2"), layout::kCommand2));
    auto* frame1 =
        place(captioned(new QGroupBox(qs(texts::kFrame1), client), texts::kFrame1, "Frame1"),
              layout::kFrame1);
    keep(Control::Option4,
         place(optionButton(frame1, texts::kOption4, "Option4"), layout::kOption4));
    keep(Control::Option3,
         place(optionButton(frame1, texts::kOption3, "Option3"), layout::kOption3));
    keep(Control::Check1,
         place(captioned(new QCheckBox(qs(texts::kCheck1), client), texts::kCheck1, "Check1"),
               layout::kCheck1));
    keep(Control::Text2,
         place(passwordField(client, Form1::kText2MaxLength, "Text2"), layout::kText2));
    keep(Control::Option2,
         place(optionButton(client, texts::kOption2, "Option2"), layout::kOption2));
    keep(Control::Option1,
         place(optionButton(client, texts::kOption1, "Option1"), layout::kOption1));
    keep(Control::Text1,
         place(passwordField(client, Form1::kText1MaxLength, "Text1"), layout::kText1));
    keep(Control::Command1,
         place(commandButton(client, texts::kCommand1, "Command1"), layout::kCommand1));
    auto* label2 = captioned(new QLabel(qs(texts::kLabel2), client), texts::kLabel2, "Label2");
    auto* label1 = captioned(new QLabel(qs(texts::kLabel1), client), texts::kLabel1, "Label1");
    // A field is named by the label above it and announced as labelled by it.
    place(label2, layout::kLabel2)->setBuddy(widget(Control::Text2));
    place(label1, layout::kLabel1)->setBuddy(widget(Control::Text1));
    return client;
}

void MainWindow::buildMenu() {
    QMenu* mnuFile = menuBar()->addMenu(qs(texts::kMnuFile));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    const std::pair<const char16_t*, const char*> items[] = {{texts::kMnuSaveChis, "mnuSaveChis"},
                                                             {texts::kMnuSaveSim, "mnuSaveSim"},
                                                             {texts::kMnuSave, "mnuSave"},
                                                             {texts::kMnuExit, "mnuExit"}};
    for (std::size_t i = 0; i < items_.size(); ++i) {
        items_[i] = mnuFile->addAction(qs(items[i].first));
        items_[i]->setObjectName(QString::fromLatin1(items[i].second));
        const auto item = static_cast<Control>(int(Control::mnuSaveChis) + int(i));
        connect(items_[i], &QAction::triggered, [this, item] { controller_.click(item); });
    }
    // Parented to the window, so it outlives the menu that uses it.
    auto* style = new GreyedItemsReachable;
    style->setParent(this);
    mnuFile->setStyle(style);
    // F10 opens the menu as Alt alone does, as in a Windows form.
    auto* f10 = new QAction(this);
    f10->setShortcut(Qt::Key_F10);
    connect(f10, &QAction::triggered,
            [this] { menuBar()->setActiveAction(menuBar()->actions().constFirst()); });
    addAction(f10);
}

// Any change of a button's check mark that the controller did not ask for is
// the user's click, whether by mouse, Space or an assistive tool's toggle.
void MainWindow::connectControls() {
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        const auto control = static_cast<Control>(i);
        controls_[i]->installEventFilter(this);
        if (auto* field = qobject_cast<QLineEdit*>(controls_[i])) {
            connect(field, &QLineEdit::textChanged, [this, control](const QString& text) {
                if (!rendering_) controller_.typed(control, text.toStdU16String());
            });
        } else if (auto* push = qobject_cast<QPushButton*>(controls_[i])) {
            connect(push, &QPushButton::clicked, [this, control] { controller_.click(control); });
        } else {
            connect(static_cast<QAbstractButton*>(controls_[i]), &QAbstractButton::toggled,
                    [this, control] {
                        if (!rendering_) controller_.click(control);
                    });
        }
    }
    connect(&Timer1_, &QTimer::timeout, [this] { controller_.tick(); });
}

// The keys of a form go to the controller before the widget sees them; a key
// it takes shows the focus as the keyboard's from then on.
bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const auto key = formKey(*static_cast<QKeyEvent*>(event));
    const auto at = std::find(controls_.begin(), controls_.end(), watched);
    if (!key || at == controls_.end()) return false;
    setAttribute(Qt::WA_KeyboardFocusChange);
    return controller_.key(static_cast<Control>(at - controls_.begin()), *key);
}

void MainWindow::setText(Control field, const std::u16string& text) {
    const QScopedValueRollback rendering(rendering_, true);
    static_cast<QLineEdit*>(widget(field))->setText(QString::fromStdU16String(text));
}

void MainWindow::setChecked(Control control, bool checked) {
    const QScopedValueRollback rendering(rendering_, true);
    static_cast<QAbstractButton*>(widget(control))->setChecked(checked);
}

void MainWindow::setEnabled(Control control, bool enabled) {
    if (control >= Control::mnuSaveChis)
        items_[int(control) - int(Control::mnuSaveChis)]->setEnabled(enabled);
    else
        widget(control)->setEnabled(enabled);
}

// Without a focus reason of the keyboard's, so a field is entered without
// Qt's selection of its text unless the controller asks for it.
void MainWindow::setFocus(Control control, bool selectText) {
    widget(control)->setFocus(Qt::OtherFocusReason);
    if (selectText) static_cast<QLineEdit*>(widget(control))->selectAll();
}

void MainWindow::setTimer(bool armed) {
    if (armed)
        Timer1_.start();
    else
        Timer1_.stop();
}

void MainWindow::endProgram() { services_.endProgram(); }

MessageAnswer MainWindow::show(const std::u16string& text, MessageIcon icon,
                               MessageButtons buttons) {
    return services_.messages->show(text, icon, buttons);
}

void MainWindow::showCentred() {
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(),
                                        screen->availableGeometry()));
    QWidget::show();
}

}  // namespace quillop::ui
