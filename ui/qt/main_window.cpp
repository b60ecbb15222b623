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
#include <array>

#include "caption_font.h"
#include "field_colours.h"
#include "handlers.h"
#include "option_button_accessible.h"
#include "option_click.h"
#include "password_field_accessible.h"
#include "qt_layout.h"
#include "qt_message_boxes.h"
#include "render_first.h"
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

void place(QWidget* widget, layout::Twips twips) { widget->setGeometry(toPixels(twips)); }

void setIfChanged(QLineEdit* field, const std::u16string& text) {
    const QString value = QString::fromStdU16String(text);
    if (field->text() != value) field->setText(value);
}

}  // namespace

MainWindow::MainWindow(Services services) : services_(std::move(services)) {
    if (!services_.messages) {
        ownMessages_ = std::make_unique<QtMessageBoxes>(this);
        services_.messages = ownMessages_.get();
    }
    messages_ = std::make_unique<RenderFirst>(*services_.messages, [this] { render(); });
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
    connectMenu();
    followContrastPreference();
    setTabOrder();
    answerFormKeys();
    render();
    Command1_->setFocus();
}

MainWindow::~MainWindow() = default;

QWidget* MainWindow::buildClientArea() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setFixedSize(toPixels(layout::kClientArea).size());

    Command2_ = commandButton(client, texts::kCommand2, "Command2");
    place(Command2_, layout::kCommand2);

    Frame1_ = captioned(new QGroupBox(qs(texts::kFrame1), client), texts::kFrame1, "Frame1");
    place(Frame1_, layout::kFrame1);
    Option4_ = optionButton(Frame1_, texts::kOption4, "Option4");
    place(Option4_, layout::kOption4);
    Option3_ = optionButton(Frame1_, texts::kOption3, "Option3");
    place(Option3_, layout::kOption3);

    Check1_ = captioned(new QCheckBox(qs(texts::kCheck1), client), texts::kCheck1, "Check1");
    place(Check1_, layout::kCheck1);

    Text2_ = passwordField(client, Form1::kText2MaxLength, "Text2");
    place(Text2_, layout::kText2);

    Option2_ = optionButton(client, texts::kOption2, "Option2");
    place(Option2_, layout::kOption2);
    Option1_ = optionButton(client, texts::kOption1, "Option1");
    place(Option1_, layout::kOption1);

    Text1_ = passwordField(client, Form1::kText1MaxLength, "Text1");
    place(Text1_, layout::kText1);

    Command1_ = commandButton(client, texts::kCommand1, "Command1");
    place(Command1_, layout::kCommand1);

    Label2_ = captioned(new QLabel(qs(texts::kLabel2), client), texts::kLabel2, "Label2");
    place(Label2_, layout::kLabel2);
    Label1_ = captioned(new QLabel(qs(texts::kLabel1), client), texts::kLabel1, "Label1");
    place(Label1_, layout::kLabel1);
    // A field is named by the label above it and announced as labelled by it.
    Label1_->setBuddy(Text1_);
    Label2_->setBuddy(Text2_);

    // Created in the order of the description, so where two controls overlap
    // by a pixel the later one is drawn on top (Label1 over Text1, ...).
    return client;
}

void MainWindow::buildMenu() {
    QMenu* mnuFile = menuBar()->addMenu(qs(texts::kMnuFile));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    const auto item = [mnuFile](const char16_t* caption, const char* name) {
        QAction* action = mnuFile->addAction(qs(caption));
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    mnuSaveChis_ = item(texts::kMnuSaveChis, "mnuSaveChis");
    mnuSaveSim_ = item(texts::kMnuSaveSim, "mnuSaveSim");
    mnuSave_ = item(texts::kMnuSave, "mnuSave");
    mnuExit_ = item(texts::kMnuExit, "mnuExit");
    // Parented to the window, so it outlives the menu that uses it.
    auto* style = new GreyedItemsReachable;
    style->setParent(this);
    mnuFile->setStyle(style);
}

void MainWindow::connectControls() {
    // Typing and pasting go straight into the form; the field's length limit
    // has already cut what does not fit.
    connect(Text1_, &QLineEdit::textChanged,
            [this](const QString& text) { form_.Text1.Text = text.toStdU16String(); });
    connect(Text2_, &QLineEdit::textChanged,
            [this](const QString& text) { form_.Text2.Text = text.toStdU16String(); });

    const std::pair<QRadioButton*, Option> options[] = {{Option1_, Option::Option1},
                                                        {Option2_, Option::Option2},
                                                        {Option3_, Option::Option3},
                                                        {Option4_, Option::Option4}};
    // Any change of a button's check mark that rendering did not make is the
    // user's click, whether by mouse, Space or an assistive tool's toggle: the
    // form decides, and rendering shows its answer (or undoes the change).
    for (auto [widget, option] : options) {
        connect(widget, &QRadioButton::toggled, [this, option = option] {
            if (rendering_) return;
            clickOption(form_, option);
            render();
        });
    }
    connect(Check1_, &QCheckBox::toggled, [this] {
        if (rendering_) return;
        clickCheck1(form_);
        render();
    });

    connect(Command1_, &QPushButton::clicked, [this] {
        onCommand1Click(form_, services_.platform.random, services_.platform.clock, *messages_);
        render();
    });
    connect(Command2_, &QPushButton::clicked, [this] {
        onCommand2Click(form_, *messages_);
        render();
    });
    connect(&Timer1_, &QTimer::timeout, [this] {
        onTimer1Tick(form_, services_.platform.random, *messages_);
        render();
    });
}

void MainWindow::connectMenu() {
    connect(mnuSaveChis_, &QAction::triggered, [this] { save(files::onMnuSaveChisClick); });
    connect(mnuSaveSim_, &QAction::triggered, [this] { save(files::onMnuSaveSimClick); });
    connect(mnuSave_, &QAction::triggered, [this] { save(files::onMnuSaveClick); });
    connect(mnuExit_, &QAction::triggered, [this] {
        if (onMnuExitClick(*messages_)) services_.endProgram();
    });
}

void MainWindow::setTabOrder() {
    const auto widgetOf = [this](layout::Control control) -> QWidget* {
        switch (control) {
            case layout::Control::Command1:
                return Command1_;
            case layout::Control::Text1:
                return Text1_;
            case layout::Control::Option1:
                return Option1_;
            case layout::Control::Option2:
                return Option2_;
            case layout::Control::Text2:
                return Text2_;
            case layout::Control::Check1:
                return Check1_;
            case layout::Control::Option3:
                return Option3_;
            case layout::Control::Option4:
                return Option4_;
            case layout::Control::Command2:
                break;
        }
        return Command2_;
    };
    for (std::size_t i = 0; i + 1 < std::size(layout::kTabOrder); ++i)
        QWidget::setTabOrder(widgetOf(layout::kTabOrder[i]), widgetOf(layout::kTabOrder[i + 1]));
}

void MainWindow::followContrastPreference() {
#if QT_VERSION >= QT_VERSION_CHECK(6, 10, 0)
    connect(QGuiApplication::styleHints()->accessibility(),
            &QAccessibilityHints::contrastPreferenceChanged, this, [this] {
                for (QLineEdit* field : {Text1_, Text2_})
                    field->setPalette(
                        fieldColours(QGuiApplication::palette(), highContrastPreferred()));
            });
#endif
}

// The keys a Windows form answers to where Qt's widgets do otherwise: Enter
// presses the push button that has the focus, the arrow keys move through an
// option group, and F10 opens the menu as Alt alone does.
void MainWindow::answerFormKeys() {
    for (QWidget* control : {static_cast<QWidget*>(Text1_), static_cast<QWidget*>(Text2_),
                             static_cast<QWidget*>(Command1_), static_cast<QWidget*>(Command2_),
                             static_cast<QWidget*>(Option1_), static_cast<QWidget*>(Option2_),
                             static_cast<QWidget*>(Option3_), static_cast<QWidget*>(Option4_)})
        control->installEventFilter(this);
    auto* f10 = new QAction(this);
    f10->setShortcut(Qt::Key_F10);
    connect(f10, &QAction::triggered,
            [this] { menuBar()->setActiveAction(menuBar()->actions().constFirst()); });
    addAction(f10);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (auto* field = qobject_cast<QLineEdit*>(watched)) return enterField(field, event);
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & ~Qt::KeypadModifier) return false;
    if (auto* button = qobject_cast<QPushButton*>(watched)) {
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
        button->click();
        return true;
    }
    return moveInGroup(static_cast<QRadioButton*>(watched), key->key());
}

// Entering a field by a key leaves its text unselected. Qt selects it all,
// and a screen reader then read the password twice on the way in and said
// "unselected" again when the focus left or the form changed the text.
bool MainWindow::enterField(QLineEdit* field, QEvent* event) {
    if (event->type() != QEvent::FocusIn) return false;
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason &&
        reason != Qt::ShortcutFocusReason)
        return false;
    QFocusEvent plain(QEvent::FocusIn, Qt::OtherFocusReason);
    QCoreApplication::sendEvent(field, &plain);
    return true;
}

// The next or previous option of the group, wrapping, takes the focus and is
// clicked; the focus never leaves the group by an arrow key.
bool MainWindow::moveInGroup(QRadioButton* from, int key) {
    int step = 0;
    if (key == Qt::Key_Down || key == Qt::Key_Right) step = 1;
    if (key == Qt::Key_Up || key == Qt::Key_Left) step = -1;
    if (step == 0) return false;
    using Member = std::pair<QRadioButton*, Option>;
    const std::array<Member, 2> groups[] = {
        {Member{Option1_, Option::Option1}, Member{Option2_, Option::Option2}},
        {Member{Option3_, Option::Option3}, Member{Option4_, Option::Option4}}};
    for (const auto& group : groups)
        for (std::size_t i = 0; i < group.size(); ++i) {
            if (group[i].first != from) continue;
            const auto [to, option] = group[(i + group.size() + step) % group.size()];
            if (!to->isEnabled()) return true;
            // Selected before it takes the focus, so it is announced once, selected.
            clickOption(form_, option);
            render();
            to->setFocus(Qt::TabFocusReason);
            return true;
        }
    return false;
}

void MainWindow::save(void (*command)(const Form1&, files::SaveServices&)) {
    files::SaveServices services{services_.platform.programFolder, services_.platform.replacer,
                                 *messages_};
    command(form_, services);
    render();
}

void MainWindow::render() {
    const QScopedValueRollback rendering(rendering_, true);
    setIfChanged(Text1_, form_.Text1.Text);
    setIfChanged(Text2_, form_.Text2.Text);
    const std::pair<QRadioButton*, const OptionButton*> options[] = {{Option1_, &form_.Option1},
                                                                     {Option2_, &form_.Option2},
                                                                     {Option3_, &form_.Option3},
                                                                     {Option4_, &form_.Option4}};
    for (auto [widget, option] : options) {
        widget->setChecked(option->Value);
        widget->setEnabled(option->Enabled);
    }
    Check1_->setChecked(form_.Check1.Value == 1);
    Command1_->setEnabled(form_.Command1.Enabled);
    Command2_->setEnabled(form_.Command2.Enabled);
    mnuSaveChis_->setEnabled(form_.mnuSaveChis.Enabled);
    mnuSaveSim_->setEnabled(form_.mnuSaveSim.Enabled);
    mnuSave_->setEnabled(form_.mnuSave.Enabled);
    mnuExit_->setEnabled(form_.mnuExit.Enabled);
    // Arming an armed timer adds no tick.
    if (form_.Timer1.Enabled && !Timer1_.isActive()) Timer1_.start();
    if (!form_.Timer1.Enabled) Timer1_.stop();
}

void MainWindow::showCentred() {
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(),
                                        screen->availableGeometry()));
    show();
}

}  // namespace quillop::ui
