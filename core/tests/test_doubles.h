#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "controller.h"

// Stand-ins for the platform and the window, and the states tests start
// from, shared by the tests of the core, the files and the window.
namespace quillop::doubles {

// Hands out the values it was given, as if the system failed once they run
// out. Its clock always says 4242.5 s; reseeding a secure source changes nothing.
class ScriptedRandom final : public RandomSource, public Clock {
public:
    ScriptedRandom(std::vector<double> script = {}) : values(script.begin(), script.end()) {}
    double NextRandom() override {
        if (values.empty()) throw RandomUnavailable("the script has run out");
        const double value = values.front();
        values.pop_front();
        return value;
    }
    void Reseed(float) override {}
    float ClockSeconds() override { return 4242.5f; }

    std::deque<double> values;
};

using Shown = std::vector<std::u16string>;

// A box as a person reads it: "(i) OK: text", "(x) OK: text" with the
// critical icon, "(i) OK Cancel: text".
inline std::u16string boxText(const std::u16string& text, MessageIcon icon,
                              MessageButtons buttons) {
    return std::u16string(icon == MessageIcon::Critical ? u"(x) OK" : u"(i) OK") +
           (buttons == MessageButtons::OkCancel ? u" Cancel: " : u": ") + text;
}

// Records each box; then " over " and what `behind` says the window shows, if set.
class RecordingMessages final : public MessageBoxes {
public:
    MessageAnswer show(const std::u16string& text, MessageIcon icon,
                       MessageButtons buttons) override {
        const std::string over = behind ? " over " + behind() : "";
        shown.push_back(boxText(text, icon, buttons) + std::u16string(over.begin(), over.end()));
        return answer;
    }
    MessageAnswer answer = MessageAnswer::Ok;
    std::function<std::string()> behind;
    Shown shown;
};

inline std::u16string nameOf(Control control) {
    const char16_t* const names[] = {
        u"Command1", u"Text1",    u"Option1",     u"Option2",    u"Text2",   u"Check1", u"Option3",
        u"Option4",  u"Command2", u"mnuSaveChis", u"mnuSaveSim", u"mnuSave", u"mnuExit"};
    return names[static_cast<int>(control)];
}

// Writes down what it is told, each followed by "; ": "Text1=12", "Option1 on"
// or "off" (checked), "Command2 +" or "-" (enabled), "focus Text1" (with
// " selected"), "timer on" or "off", a box, "end", and "save mnuSave".
class RecordingView final : public View, public SaveCommands {
public:
    void setText(Control c, const std::u16string& text) override { tell(nameOf(c) + u'=' + text); }
    void setChecked(Control c, bool on) override { tell(nameOf(c) + (on ? u" on" : u" off")); }
    void setEnabled(Control c, bool on) override { tell(nameOf(c) + (on ? u" +" : u" -")); }
    void setFocus(Control c, bool selected) override {
        tell(u"focus " + nameOf(c) + (selected ? u" selected" : u""));
    }
    void setTimer(bool armed) override { tell(armed ? u"timer on" : u"timer off"); }
    void endProgram() override { tell(u"end"); }
    MessageAnswer show(const std::u16string& text, MessageIcon icon,
                       MessageButtons buttons) override {
        tell(boxText(text, icon, buttons));
        return answer;
    }
    void save(Control item, const Form1&, MessageBoxes&) override { tell(u"save " + nameOf(item)); }

    void tell(const std::u16string& what) { told += what + u"; "; }
    std::u16string told;
    MessageAnswer answer = MessageAnswer::Ok;
};

// The states of the kind selection.
enum class Kind { Numeric, Symbolic, Both, Unset };

// A controller over recording doubles, started, then brought into a state by
// clicks as a person would; what the view was told so far is forgotten.
struct Rig {
    ScriptedRandom random;
    RecordingView view;
    Controller controller;
    explicit Rig(Kind kind = Kind::Numeric, bool eightPlaces = false,
                 FieldEntry entry = FieldEntry::SelectText)
        : controller(view, random, random, view, entry) {
        controller.start();
        if (kind == Kind::Symbolic) controller.click(Control::Option2);
        if (kind == Kind::Both || kind == Kind::Unset) controller.click(Control::Check1);
        if (kind == Kind::Unset) controller.click(Control::Check1);
        if (eightPlaces) controller.click(Control::Option4);
        view.told.clear();
    }
};

// What the controls and fields show, e.g. "Option1 Option3 [123|QWE]": the
// selected options and Check1 if ticked, "!Option1" for a greyed control,
// "Clear" and the save items if enabled, then the texts.
inline std::string describe(const Form1& f) {
    const std::pair<bool, const char*> parts[] = {
        {f.Option1.Value, "Option1 "},      {f.Option2.Value, "Option2 "},
        {f.Option3.Value, "Option3 "},      {f.Option4.Value, "Option4 "},
        {f.Check1.Value == 1, "Check1 "},   {!f.Option1.Enabled, "!Option1 "},
        {!f.Option2.Enabled, "!Option2 "},  {!f.Command1.Enabled, "!Command1 "},
        {f.Command2.Enabled, "Clear "},     {f.mnuSaveChis.Enabled, "SaveChis "},
        {f.mnuSaveSim.Enabled, "SaveSim "}, {f.mnuSave.Enabled, "SaveBoth "},
        {!f.mnuExit.Enabled, "!Exit "}};
    std::string seen;
    for (const auto& [on, name] : parts) seen += on ? name : "";
    const std::u16string texts = u'[' + f.Text1.Text + u'|' + f.Text2.Text + u']';
    return seen + std::string(texts.begin(), texts.end());
}

}  // namespace quillop::doubles
