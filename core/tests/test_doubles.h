#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "form1.h"
#include "message_boxes.h"
#include "option_click.h"
#include "random_source.h"

// Stand-ins for the platform, and the forms tests start from, shared by the
// tests of the core, the files and the window.
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

// Records each box as a person reads it: "(i) OK: text", "(x) OK: text" with
// the critical icon, "(i) OK Cancel: text"; then " over " and what `behind`
// says the window shows at that moment, if set.
class RecordingMessages final : public MessageBoxes {
public:
    MessageAnswer show(const std::u16string& text, MessageIcon icon,
                       MessageButtons buttons) override {
        const std::string over = behind ? " over " + behind() : "";
        shown.push_back(std::u16string(icon == MessageIcon::Critical ? u"(x) OK" : u"(i) OK") +
                        (buttons == MessageButtons::OkCancel ? u" Cancel: " : u": ") + text +
                        std::u16string(over.begin(), over.end()));
        return answer;
    }
    MessageAnswer answer = MessageAnswer::Ok;
    std::function<std::string()> behind;
    Shown shown;
};

// The states of the kind selection, each reached by clicks as a person would.
enum class Kind { Numeric, Symbolic, Both, Unset };

inline Form1 formIn(Kind kind, bool eightPlaces) {
    Form1 form;
    if (kind == Kind::Symbolic) clickOption(form, Option::Option2);
    if (kind == Kind::Both || kind == Kind::Unset) clickCheck1(form);
    if (kind == Kind::Unset) clickCheck1(form);
    if (eightPlaces) clickOption(form, Option::Option4);
    return form;
}

// What the kind and length controls and the fields show, e.g. "Option1 Option3
// [123|QWE]": the selected options and Check1 if ticked, "!Option1" for a
// disabled kind option, "Clear" if the Clear button is enabled, then the texts.
inline std::string describe(const Form1& f) {
    const std::pair<bool, const char*> parts[] = {
        {f.Option1.Value, "Option1 "},     {f.Option2.Value, "Option2 "},
        {f.Option3.Value, "Option3 "},     {f.Option4.Value, "Option4 "},
        {f.Check1.Value == 1, "Check1 "},  {!f.Option1.Enabled, "!Option1 "},
        {!f.Option2.Enabled, "!Option2 "}, {f.Command2.Enabled, "Clear "}};
    std::string seen;
    for (const auto& [on, name] : parts) seen += on ? name : "";
    const std::u16string texts = u'[' + f.Text1.Text + u'|' + f.Text2.Text + u']';
    return seen + std::string(texts.begin(), texts.end());
}

}  // namespace quillop::doubles
