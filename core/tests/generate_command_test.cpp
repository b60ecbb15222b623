#include <gtest/gtest.h>

#include <cmath>

#include "handlers.h"
#include "test_doubles.h"

using namespace quillop;
using namespace quillop::doubles;

// Generate's four rows, with the 6- and the 8-place option where the length
// counts: what the click writes, and what the tick adds.
TEST(Generate, EachRowOfTheModeDrawsInOrderAndFillsItsFields) {
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
    };
    const std::u16string failed =
        u"(x) OK: Операционная система не выдала случайные числа. Пароль не создан.";
    for (const auto& [kind, eightPlaces, draws, text1, text2] : rows) {
        SCOPED_TRACE(::testing::Message() << "kind " << int(kind) << ", 8 places " << eightPlaces);
        Form1 form = formIn(kind, eightPlaces);
        form.Text1.Text = u"typed";
        form.Text2.Text = u"OLD";
        const bool clearEnabled = form.Command2.Enabled;
        ScriptedRandom random(draws);
        RecordingMessages messages;
        onCommand1Click(form, random, random, messages);
        EXPECT_EQ(form.Text1.Text + u'|' + form.Text2.Text, text1 + u'|');
        EXPECT_TRUE(form.mnuSaveChis.Enabled && form.mnuSaveSim.Enabled && form.mnuSave.Enabled);
        EXPECT_EQ(form.Command2.Enabled, clearEnabled) << "Generate never touches Clear";
        EXPECT_EQ(form.Timer1.Enabled, !text2.empty());

        // A tick also comes after a failure, and fails the same way.
        if (form.Timer1.Enabled || draws.empty()) onTimer1Tick(form, random, messages);
        EXPECT_EQ(form.Text2.Text, text2);
        EXPECT_FALSE(form.Timer1.Enabled);
        EXPECT_TRUE(random.values.empty());
        EXPECT_EQ(messages.shown, Shown(draws.empty() ? 2 : 0, failed));
    }
}
