#include <gtest/gtest.h>

#include <string>

#include "handlers.h"
#include "option_click.h"
#include "scripted_random.h"

namespace quillop {
namespace {

using testing::RecordingMessages;

enum class Kind { Numeric, Symbolic, Both, Unset };

void clickOption1(Form1& f) { clickOption(f, Option::Option1); }
void clickOption2(Form1& f) { clickOption(f, Option::Option2); }

Form1 formIn(Kind kind) {
    Form1 f;
    switch (kind) {
        case Kind::Numeric:
            break;
        case Kind::Symbolic:
            clickOption2(f);
            break;
        case Kind::Both:
            clickCheck1(f);
            break;
        case Kind::Unset:
            clickCheck1(f);
            clickCheck1(f);
            break;
    }
    return f;
}

struct Expected {
    bool option1, option2;
    int check1;
    bool optionsEnabled, clearEnabled;
};

Expected stateOf(Kind kind) {
    switch (kind) {
        case Kind::Numeric:
            return {true, false, 0, true, false};
        case Kind::Symbolic:
            return {false, true, 0, true, true};
        case Kind::Both:
            return {false, false, 1, false, true};
        case Kind::Unset:
            return {false, false, 0, true, true};
    }
    return {};
}

void expectState(const Form1& f, Kind kind) {
    const Expected e = stateOf(kind);
    EXPECT_EQ(f.Option1.Value, e.option1);
    EXPECT_EQ(f.Option2.Value, e.option2);
    EXPECT_EQ(f.Check1.Value, e.check1);
    EXPECT_EQ(f.Option1.Enabled, e.optionsEnabled);
    EXPECT_EQ(f.Option2.Enabled, e.optionsEnabled);
    EXPECT_EQ(f.Command2.Enabled, e.clearEnabled);
}

TEST(KindSelection, EveryTransitionOfTheStateMachine) {
    struct Row {
        Kind from;
        void (*event)(Form1&);
        Kind to;
        bool fieldsKept;
    };
    const Row rows[] = {
        {Kind::Symbolic, clickOption1, Kind::Numeric, false},
        {Kind::Unset, clickOption1, Kind::Numeric, false},
        {Kind::Numeric, clickOption2, Kind::Symbolic, false},
        {Kind::Unset, clickOption2, Kind::Symbolic, false},
        {Kind::Numeric, clickCheck1, Kind::Both, true},
        {Kind::Symbolic, clickCheck1, Kind::Both, true},
        {Kind::Unset, clickCheck1, Kind::Both, true},
        {Kind::Both, clickCheck1, Kind::Unset, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.from) * 10 + static_cast<int>(row.to));
        Form1 f = formIn(row.from);
        f.Text1.Text = u"123";
        f.Text2.Text = u"QWE";
        f.Option4.Value = true;
        f.Option3.Value = false;
        row.event(f);
        expectState(f, row.to);
        EXPECT_EQ(f.Text1.Text, row.fieldsKept ? u"123" : u"");
        EXPECT_EQ(f.Text2.Text, row.fieldsKept ? u"QWE" : u"");
        EXPECT_TRUE(f.Option4.Value) << "the length is independent of the kind";
    }
}

TEST(KindSelection, ClearEmptiesBothFieldsAndReportsEveryTime) {
    for (Kind kind : {Kind::Numeric, Kind::Symbolic, Kind::Both, Kind::Unset}) {
        Form1 f = formIn(kind);
        f.Text1.Text = u"42";
        f.Text2.Text = u"  ";
        RecordingMessages messages;
        onCommand2Click(f, messages);
        onCommand2Click(f, messages);  // already empty: still reported
        EXPECT_TRUE(f.Text1.Text.empty() && f.Text2.Text.empty());
        ASSERT_EQ(messages.shown.size(), 2u);
        for (const auto& shown : messages.shown) {
            EXPECT_EQ(shown.text, u"Числовое и Символьное поля очищены!");
            EXPECT_EQ(shown.icon, MessageIcon::Information);
            EXPECT_EQ(shown.buttons, MessageButtons::Ok);
        }
        expectState(f, kind);
    }
}

}  // namespace
}  // namespace quillop
