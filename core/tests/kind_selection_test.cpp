#include <gtest/gtest.h>

#include "handlers.h"
#include "option_click.h"
#include "test_doubles.h"

using namespace quillop;
using namespace quillop::doubles;

// A person's click; the first four in the order of Option.
enum class Click { Option1, Option2, Option3, Option4, Check1, Command2 };

// Every transition of the kind selection, the length options beside it, stray
// clicks and Clear: from a state with both fields filled, what the controls
// and fields show after one click, and the box it opened.
TEST(KindSelection, EveryClickInEveryStateOfTheMachine) {
    using enum Kind;
    using enum Click;
    // From a state and a length (8 places or 6), one click: what the controls show.
    const std::tuple<Kind, bool, Click, const char*> rows[] = {
        {Symbolic, false, Option1, "Option1 Option3 [|]"},
        {Unset, true, Option1, "Option1 Option4 [|]"},
        {Numeric, false, Option2, "Option2 Option3 Clear [|]"},
        {Unset, false, Option2, "Option2 Option3 Clear [|]"},
        {Numeric, true, Check1, "Option4 Check1 !Option1 !Option2 Clear [12|QW]"},
        {Symbolic, false, Check1, "Option3 Check1 !Option1 !Option2 Clear [12|QW]"},
        {Unset, false, Check1, "Option3 Check1 !Option1 !Option2 Clear [12|QW]"},
        {Both, true, Check1, "Option4 Clear [12|QW]"},
        // A click on the option already selected, or on a disabled one, changes nothing.
        {Numeric, false, Option1, "Option1 Option3 [12|QW]"},
        {Symbolic, true, Option4, "Option2 Option4 Clear [12|QW]"},
        {Both, false, Option2, "Option3 Check1 !Option1 !Option2 Clear [12|QW]"},
        // One length option is selected whatever the kind.
        {Symbolic, false, Option4, "Option2 Option4 Clear [12|QW]"},
        {Both, true, Option3, "Option3 Check1 !Option1 !Option2 Clear [12|QW]"},
        {Numeric, true, Command2, "Option1 Option4 [|]"},
        {Both, false, Command2, "Option3 Check1 !Option1 !Option2 Clear [|]"},
    };
    for (const auto& [from, eightPlaces, click, shows] : rows) {
        Form1 form = formIn(from, eightPlaces);
        form.Text1.Text = u"12";
        form.Text2.Text = u"QW";
        RecordingMessages messages;
        if (click == Check1) clickCheck1(form);
        if (click == Command2) onCommand2Click(form, messages);
        if (click < Check1) clickOption(form, static_cast<Option>(click));
        EXPECT_EQ(describe(form), shows) << "from " << int(from) << ", click " << int(click);
        EXPECT_EQ(messages.shown,
                  Shown(click == Command2, u"(i) OK: Числовое и Символьное поля очищены!"));
    }
}
