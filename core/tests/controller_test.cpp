#include "controller.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "test_doubles.h"

using namespace quillop;
using namespace quillop::doubles;

// Every transition of the kind selection, the length options beside it, stray
// clicks and Clear: from a state with both fields filled, what the controls
// and fields show after one click, and whether Clear's box appeared.
TEST(Controller, EveryClickInEveryStateOfTheMachine) {
    using enum Kind;
    using enum Control;
    const std::tuple<Kind, bool, Control, const char*> rows[] = {
        {Symbolic, false, Option1, "Option1 Option3 [|]"},
        {Unset, true, Option1, "Option1 Option4 [|]"},
        {Numeric, false, Option2, "Option2 Option3 Clear [|]"},
        {Unset, false, Option2, "Option2 Option3 Clear [|]"},
        {Numeric, true, Check1, "Option4 Check1 !Option1 !Option2 Clear [12|QW]"},
        {Symbolic, false, Check1, "Option3 Check1 !Option1 !Option2 Clear [12|QW]"},
        {Unset, false, Check1, "Option3 Check1 !Option1 !Option2 Clear [12|QW]"},
        {Both, true, Check1, "Option4 Clear [12|QW]"},
        // A click on the option already selected, or on a greyed control, changes nothing.
        {Numeric, false, Option1, "Option1 Option3 [12|QW]"},
        {Symbolic, true, Option4, "Option2 Option4 Clear [12|QW]"},
        {Both, false, Option2, "Option3 Check1 !Option1 !Option2 Clear [12|QW]"},
        {Numeric, false, Command2, "Option1 Option3 [12|QW]"},
        // One length option is selected whatever the kind.
        {Symbolic, false, Option4, "Option2 Option4 Clear [12|QW]"},
        {Both, true, Option3, "Option3 Check1 !Option1 !Option2 Clear [12|QW]"},
        {Symbolic, true, Command2, "Option2 Option4 Clear [|]"},
        {Both, false, Command2, "Option3 Check1 !Option1 !Option2 Clear [|]"},
    };
    for (const auto& [from, eightPlaces, click, shows] : rows) {
        Rig rig(from, eightPlaces);
        rig.controller.typed(Text1, u"12");
        rig.controller.typed(Text2, u"QW");
        rig.controller.click(click);
        EXPECT_EQ(describe(rig.controller.form()), shows)
            << "from " << int(from) << ", click " << int(click);
        EXPECT_EQ(rig.view.told.ends_with(u"(i) OK: Числовое и Символьное поля очищены!; "),
                  click == Command2 && from != Numeric);
    }
}

// Generate's four rows, with the 6- and the 8-place option where the length
// counts: what the click writes, and what the tick adds.
TEST(Controller, GenerateDrawsInOrderAndFillsTheFieldsOfItsRow) {
    const double top = std::nextafter(1.0, 0.0);  // the largest draw below 1
    // From a state and a length, with these draws scripted: Text1 after the
    // click, and Text2 after the tick that follows (empty: no timer armed).
    const std::tuple<Kind, bool, std::vector<double>, std::u16string, std::u16string> rows[] = {
        {Kind::Numeric, false, {top}, u"999999", u""},
        {Kind::Numeric, true, {top}, u"99999999", u""},
        {Kind::Symbolic, false, {0, 0, 0, 0, 0, top}, u"typed", u"QQQQQ%"},
        {Kind::Symbolic, true, {0, 0, 0, 0, 0, 0, 0, top}, u"typed", u"QQQQQQQ%"},
        {Kind::Both, true, {top, 0.5, 0, 0, 0, 0, 0, 0, top}, u"999999999", u"HQQQQQQ%"},
        {Kind::Unset, false, {0.25}, u"250000", u""},
        {Kind::Numeric, false, {0}, u"0", u""},
        // No draws: the system generator fails; an old number would pass for a new one.
        {Kind::Both, false, {}, u"", u""},
        {Kind::Symbolic, false, {}, u"typed", u""},
    };
    for (const auto& [kind, eightPlaces, draws, text1, text2] : rows) {
        SCOPED_TRACE(::testing::Message() << "kind " << int(kind) << ", 8 places " << eightPlaces);
        Rig rig(kind, eightPlaces);
        rig.controller.typed(Control::Text1, u"typed");
        rig.controller.typed(Control::Text2, u"OLD");
        const bool clearEnabled = rig.controller.form().Command2.Enabled;
        rig.random.values.assign(draws.begin(), draws.end());
        rig.controller.click(Control::Command1);
        const Form1& form = rig.controller.form();
        EXPECT_EQ(form.Text1.Text + u'|' + form.Text2.Text, text1 + u'|');
        EXPECT_TRUE(form.mnuSaveChis.Enabled && form.mnuSaveSim.Enabled && form.mnuSave.Enabled);
        EXPECT_EQ(form.Command2.Enabled, clearEnabled) << "Generate never touches Clear";
        rig.controller.tick();
        EXPECT_EQ(form.Text2.Text, text2);
        EXPECT_FALSE(form.Timer1.Enabled);
        EXPECT_TRUE(rig.random.values.empty());
        EXPECT_EQ(rig.view.told.find(u"(x) OK: Операционная система не выдала случайные числа. "
                                     u"Пароль не создан.") != std::u16string::npos,
                  draws.empty());
    }
}

// The keys of a Windows form, from a state with typed text in both fields:
// whether the controller takes the key, and what it tells the window.
TEST(Controller, KeysMoveAndPressAsInAWindowsForm) {
    using enum Control;
    using enum Key;
    using enum Kind;
    constexpr auto caret = FieldEntry::KeepCaret;
    constexpr auto select = FieldEntry::SelectText;
    const std::tuple<Kind, Control, Key, FieldEntry, bool, std::u16string> rows[] = {
        {Numeric, Command1, Tab, select, true, u"focus Text1 selected; "},
        {Numeric, Command1, Tab, caret, true, u"focus Text1; "},
        // Greyed controls are passed over, round the end either way.
        {Numeric, Command1, ShiftTab, select, true, u"focus Option4; "},
        {Numeric, Option4, Tab, select, true, u"focus Command1; "},
        {Symbolic, Command1, ShiftTab, select, true, u"focus Command2; "},
        {Both, Text1, Tab, select, true, u"focus Text2 selected; "},
        {Both, Check1, ShiftTab, caret, true, u"focus Text2; "},
        {Symbolic, Option2, Tab, select, true, u"focus Text2 selected; "},
        // The arrows select the other option of the group, round its end.
        {Numeric, Option1, Down, select, true,
         u"Text1=; Option1 off; Option2 on; Text2=; Command2 +; focus Option2; "},
        {Symbolic, Option2, Right, select, true,
         u"Text1=; Option1 on; Option2 off; Text2=; Command2 -; focus Option1; "},
        {Numeric, Option1, Up, select, true,
         u"Text1=; Option1 off; Option2 on; Text2=; Command2 +; focus Option2; "},
        {Numeric, Option3, Left, select, true, u"Option3 off; Option4 on; focus Option4; "},
        {Numeric, Check1, Down, select, true, u""},
        {Numeric, Command1, Up, select, true, u""},
        {Numeric, Text1, Left, select, false, u""},
        // Enter presses the focused push button and nothing else.
        {Numeric, Command1, Enter, select, true,
         u"Text1=500000; Text2=; mnuSaveChis +; mnuSaveSim +; mnuSave +; "},
        {Symbolic, Command2, Enter, select, true,
         u"Text1=; Text2=; (i) OK: Числовое и Символьное поля очищены!; "},
        {Numeric, Text1, Enter, select, true, u""},
        {Numeric, Option1, Enter, select, true, u""},
        {Numeric, Check1, Enter, select, true, u""},
    };
    for (const auto& [from, focused, key, entry, taken, told] : rows) {
        Rig rig(from, false, entry);
        rig.controller.typed(Text1, u"12");
        rig.controller.typed(Text2, u"QW");
        rig.random.values = {0.5};
        rig.view.told.clear();
        EXPECT_EQ(rig.controller.key(focused, key), taken) << int(focused) << " " << int(key);
        EXPECT_EQ(rig.view.told, told) << int(focused) << " " << int(key);
    }
}

// What the window is told, step by step from the start: everything once,
// then only what changed, each box over the window as it already is.
TEST(Controller, TellsTheWindowWhatChangedAndEndsOnlyOnOk) {
    ScriptedRandom random({0, 0, 0, 0, 0, 0});
    RecordingView view;
    Controller c(view, random, random, view, FieldEntry::KeepCaret);
    using enum Control;
    const std::pair<std::function<void()>, std::u16string> steps[] = {
        {[&] { c.start(); },
         u"Command1 +; Text1=; Option1 on; Option1 +; Option2 off; Option2 +; Text2=; Check1 off; "
         u"Option3 on; Option3 +; Option4 off; Option4 +; Command2 -; mnuSaveChis -; "
         u"mnuSaveSim -; mnuSave -; mnuExit +; focus Command1; "},
        {[&] { c.click(mnuSave); }, u""},
        // Typing beyond a field's limit is cut; the field then shows the cut text.
        {[&] { c.typed(Text1, u"1234567890"); }, u"Text1=123456789; "},
        {[&] { c.typed(Text2, u"ABCDEFGH"); }, u""},
        {[&] { c.click(Option2); }, u"Text1=; Option1 off; Option2 on; Text2=; Command2 +; "},
        // Arming an armed timer adds no tick; a late tick adds nothing.
        {[&] { c.click(Command1), c.click(Command1); },
         u"mnuSaveChis +; mnuSaveSim +; mnuSave +; timer on; "},
        {[&] { c.tick(), c.tick(); }, u"Text2=QQQQQQ; timer off; "},
        {[&] { c.click(mnuSave); }, u"save mnuSave; "},
        {[&] { c.click(Command2); }, u"Text2=; (i) OK: Числовое и Символьное поля очищены!; "},
        {[&] { view.answer = MessageAnswer::Cancel, c.click(mnuExit); },
         u"(i) OK Cancel: Вы хотите выйти?; "},
        {[&] { view.answer = MessageAnswer::Ok, c.click(mnuExit); },
         u"(i) OK Cancel: Вы хотите выйти?; end; "},
    };
    for (const auto& [step, told] : steps) {
        view.told.clear();
        step();
        EXPECT_EQ(view.told, told);
    }
}
