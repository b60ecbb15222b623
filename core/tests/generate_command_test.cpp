#include <gtest/gtest.h>

#include "generators.h"
#include "handlers.h"
#include "scripted_random.h"

namespace quillop {
namespace {

using testing::FixedClock;
using testing::kJustBelowOne;
using testing::RecordingMessages;
using testing::ScriptedRandom;

struct Generate {
    Form1 form;
    ScriptedRandom random;
    FixedClock clock;
    RecordingMessages messages;

    void click() { onCommand1Click(form, random, clock, messages); }
    void tick() { onTimer1Tick(form, random, messages); }
};

TEST(Generate, NumericRowDrawsOnceWithTheChosenLength) {
    Generate g;
    g.form.Text2.Text = u"OLD";
    g.random = {kJustBelowOne, 0.5};
    g.click();
    EXPECT_EQ(g.form.Text1.Text, u"999999");
    EXPECT_TRUE(g.form.Text2.Text.empty());
    EXPECT_FALSE(g.form.Timer1.Enabled);
    EXPECT_TRUE(g.form.mnuSaveChis.Enabled && g.form.mnuSaveSim.Enabled && g.form.mnuSave.Enabled);

    g.form.Option3.Value = false;
    g.form.Option4.Value = true;
    g.click();
    EXPECT_EQ(g.form.Text1.Text, u"50000000");
    EXPECT_EQ(g.random.calls, (std::vector<std::string>{"next", "next"}));
    EXPECT_FALSE(g.form.Command2.Enabled) << "Generate never touches the Clear button";
}

TEST(Generate, SymbolicRowOnlyArmsTheTimerAndTheTickFillsTheField) {
    Generate g;
    g.form.Option1.Value = false;
    g.form.Option2.Value = true;
    g.form.Text1.Text = u"typed";
    g.click();
    EXPECT_TRUE(g.form.Timer1.Enabled);
    EXPECT_TRUE(g.form.Text2.Text.empty());
    EXPECT_EQ(g.form.Text1.Text, u"typed");
    EXPECT_TRUE(g.random.calls.empty()) << "nothing is drawn before the tick";

    g.random = {0.0, 0.0, 0.0, 0.0, 0.0, kJustBelowOne};
    g.tick();
    EXPECT_EQ(g.form.Text2.Text, u"QQQQQ%");
    EXPECT_FALSE(g.form.Timer1.Enabled);
}

TEST(Generate, BothRowDrawsTheNumberFirstThenOneValuePerSymbol) {
    Generate g;
    g.form.Check1.Value = 1;
    onCheck1Click(g.form);
    g.form.Option3.Value = false;
    g.form.Option4.Value = true;  // plays no part for the number
    g.random = {kJustBelowOne, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, kJustBelowOne};
    g.click();
    EXPECT_EQ(g.form.Text1.Text, u"999999999");
    EXPECT_TRUE(g.form.Timer1.Enabled);
    EXPECT_EQ(g.random.remaining(), 8u);
    g.tick();
    EXPECT_EQ(g.form.Text2.Text, u"QQQQQQQ%");
    EXPECT_EQ(g.random.remaining(), 0u);
}

TEST(Generate, OnlyTheUnsetRowReseedsFromTheClockBeforeItsDraw) {
    Generate g;
    g.form.Check1.Value = 1;
    onCheck1Click(g.form);
    g.form.Check1.Value = 0;
    onCheck1Click(g.form);
    g.random = {0.25};
    g.click();
    EXPECT_EQ(g.form.Text1.Text, u"250000");
    EXPECT_EQ(g.random.calls, (std::vector<std::string>{"reseed 4242.500000", "next"}));
    EXPECT_FALSE(g.form.Timer1.Enabled);
}

TEST(Generate, PressingAgainBeforeTheTickEmptiesTheFieldAndOneTickFillsIt) {
    Generate g;
    g.form.Option1.Value = false;
    g.form.Option2.Value = true;
    g.click();
    g.form.Text2.Text = u"AB";
    g.click();
    EXPECT_TRUE(g.form.Text2.Text.empty());
    g.random = {0, 0, 0, 0, 0, 0};
    g.tick();
    EXPECT_EQ(g.form.Text2.Text.size(), 6u);
}

TEST(Generate, LengthIsReadWhenTheTickArrives) {
    Generate g;
    g.form.Option1.Value = false;
    g.form.Option2.Value = true;
    g.click();
    g.form.Option3.Value = false;
    g.form.Option4.Value = true;
    for (int i = 0; i < 8; ++i) g.random.push(0.5);
    g.tick();
    EXPECT_EQ(g.form.Text2.Text, u"HHHHHHHH");
}

TEST(Generate, AFailingSystemGeneratorShowsNoPasswordAndSaysSo) {
    Generate g;
    g.form.Text1.Text = u"123456";
    g.random.failing = true;
    g.click();
    EXPECT_TRUE(g.form.Text1.Text.empty());
    ASSERT_EQ(g.messages.shown.size(), 1u);
    EXPECT_EQ(g.messages.shown[0].icon, MessageIcon::Critical);

    g.form.Check1.Value = 1;
    onCheck1Click(g.form);
    g.click();
    EXPECT_FALSE(g.form.Timer1.Enabled) << "no symbols follow a failed number";

    g.form.Timer1.Enabled = true;
    g.tick();
    EXPECT_TRUE(g.form.Text2.Text.empty());
    EXPECT_FALSE(g.form.Timer1.Enabled);
    EXPECT_EQ(g.messages.shown.size(), 3u);
}

}  // namespace
}  // namespace quillop
