#include "controller.h"

#include <array>
#include <span>

#include "handlers.h"

namespace quillop {

namespace {

constexpr Control kTabOrder[] = {Control::Command1, Control::Text1,   Control::Option1,
                                 Control::Option2,  Control::Text2,   Control::Check1,
                                 Control::Option3,  Control::Option4, Control::Command2};
using Group = std::array<Control, 2>;
constexpr Group kGroups[] = {{Control::Option1, Control::Option2},
                             {Control::Option3, Control::Option4}};

// The properties of one control that a view shows; empty where it has none.
struct Shown {
    const std::u16string* text;
    std::optional<bool> checked;
    std::optional<bool> enabled;
};

Shown shownOf(const Form1& f, Control control) {
    switch (control) {
        case Control::Command1:
            return {nullptr, {}, f.Command1.Enabled};
        case Control::Text1:
            return {&f.Text1.Text, {}, {}};
        case Control::Option1:
            return {nullptr, f.Option1.Value, f.Option1.Enabled};
        case Control::Option2:
            return {nullptr, f.Option2.Value, f.Option2.Enabled};
        case Control::Text2:
            return {&f.Text2.Text, {}, {}};
        case Control::Check1:
            return {nullptr, f.Check1.Value == 1, {}};
        case Control::Option3:
            return {nullptr, f.Option3.Value, f.Option3.Enabled};
        case Control::Option4:
            return {nullptr, f.Option4.Value, f.Option4.Enabled};
        case Control::Command2:
            return {nullptr, {}, f.Command2.Enabled};
        case Control::mnuSaveChis:
            return {nullptr, {}, f.mnuSaveChis.Enabled};
        case Control::mnuSaveSim:
            return {nullptr, {}, f.mnuSaveSim.Enabled};
        case Control::mnuSave:
            return {nullptr, {}, f.mnuSave.Enabled};
        case Control::mnuExit:
            break;
    }
    return {nullptr, {}, f.mnuExit.Enabled};
}

bool enabled(const Form1& f, Control control) { return shownOf(f, control).enabled.value_or(true); }

OptionButton& optionOf(Form1& f, Control option) {
    switch (option) {
        case Control::Option1:
            return f.Option1;
        case Control::Option2:
            return f.Option2;
        case Control::Option3:
            return f.Option3;
        default:
            return f.Option4;
    }
}

const Group* groupOf(Control control) {
    for (const Group& group : kGroups)
        if (group[0] == control || group[1] == control) return &group;
    return nullptr;
}

// The next (or previous) member of a list after `from`, round its end.
Control step(std::span<const Control> list, Control from, bool backwards) {
    std::size_t at = 0;
    while (list[at] != from) ++at;
    return list[(at + (backwards ? list.size() - 1 : 1)) % list.size()];
}

}  // namespace

Controller::Controller(View& view, RandomSource& random, Clock& clock, SaveCommands& saves,
                       FieldEntry entry)
    : view_(view), random_(random), clock_(clock), saves_(saves), entry_(entry) {}

void Controller::start() {
    render();
    view_.setFocus(Control::Command1, false);
}

void Controller::click(Control control) {
    if (!enabled(form_, control)) return;
    switch (control) {
        case Control::Command1:
            onCommand1Click(form_, random_, clock_, boxes_);
            break;
        case Control::Command2:
            onCommand2Click(form_, boxes_);
            break;
        case Control::Check1:
            form_.Check1.Value = form_.Check1.Value == 1 ? 0 : 1;
            onCheck1Click(form_);
            break;
        case Control::mnuSaveChis:
        case Control::mnuSaveSim:
        case Control::mnuSave:
            saves_.save(control, form_, boxes_);
            break;
        case Control::mnuExit:
            if (onMnuExitClick(boxes_)) return view_.endProgram();
            break;
        case Control::Text1:
        case Control::Text2:
            return;
        default:
            clickOption(control);
    }
    // The widget may have changed its own check mark: it is told the form's.
    render(control);
}

// The option becomes selected and the other one of its group cleared, and
// the kind options' handler runs. A click on the option already selected
// changes nothing, so a stray click cannot wipe the passwords shown.
void Controller::clickOption(Control option) {
    OptionButton& chosen = optionOf(form_, option);
    if (chosen.Value) return;
    const Group& group = *groupOf(option);
    chosen.Value = true;
    optionOf(form_, group[0] == option ? group[1] : group[0]).Value = false;
    if (option == Control::Option1) onOption1Click(form_);
    if (option == Control::Option2) onOption2Click(form_);
}

// The keys as a Windows form answers them.
bool Controller::key(Control focused, Key key) {
    switch (key) {
        case Key::Tab:
        case Key::ShiftTab: {
            // The next enabled control in tab order, round the end.
            Control next = focused;
            do next = step(kTabOrder, next, key == Key::ShiftTab);
            while (!enabled(form_, next) && next != focused);
            const bool field = next == Control::Text1 || next == Control::Text2;
            view_.setFocus(next, field && entry_ == FieldEntry::SelectText);
            return true;
        }
        case Key::Enter:
            // Presses the focused push button; the window has no default button.
            if (focused == Control::Command1 || focused == Control::Command2) click(focused);
            return true;
        default:
            break;
    }
    // The arrows move inside an option group, round its end, and select the
    // option they reach before it takes the focus, so it is announced selected.
    // In a field they move the caret; elsewhere they do nothing.
    const Group* group = groupOf(focused);
    if (!group) return focused != Control::Text1 && focused != Control::Text2;
    const Control next = step(*group, focused, key == Key::Up || key == Key::Left);
    if (!enabled(form_, next)) return true;
    clickOption(next);
    render();
    view_.setFocus(next, false);
    return true;
}

void Controller::typed(Control field, const std::u16string& text) {
    const bool one = field == Control::Text1;
    TextBox& box = one ? form_.Text1 : form_.Text2;
    (one ? shown_.Text1 : shown_.Text2).Text = text;
    box.Text = text.substr(0, one ? Form1::kText1MaxLength : Form1::kText2MaxLength);
    render();
}

void Controller::tick() {
    // A tick the timer had queued before it was disarmed brings nothing.
    if (!form_.Timer1.Enabled) return;
    onTimer1Tick(form_, random_, boxes_);
    render();
}

// Tells the view each property that differs from what it was told; all of
// them at start, and the clicked control's check mark again.
void Controller::render(std::optional<Control> clicked) {
    for (int i = 0; i <= static_cast<int>(Control::mnuExit); ++i) {
        const auto control = static_cast<Control>(i);
        const Shown now = shownOf(form_, control), was = shownOf(shown_, control);
        if (now.text && (!started_ || *now.text != *was.text)) view_.setText(control, *now.text);
        if (now.checked && (!started_ || control == clicked || now.checked != was.checked))
            view_.setChecked(control, *now.checked);
        if (now.enabled && (!started_ || now.enabled != was.enabled))
            view_.setEnabled(control, *now.enabled);
    }
    // Arming an armed timer adds no tick.
    if (form_.Timer1.Enabled != shown_.Timer1.Enabled) view_.setTimer(form_.Timer1.Enabled);
    shown_ = form_;
    started_ = true;
}

// A box appears over a window that already shows what the handler did.
MessageAnswer Controller::Boxes::show(const std::u16string& text, MessageIcon icon,
                                      MessageButtons buttons) {
    controller_.render();
    return controller_.view_.show(text, icon, buttons);
}

}  // namespace quillop
