#pragma once

#include "form1.h"

// What a user's click does to the option buttons and the check box, the same
// in every window: the widgets only report the click and render the result.
namespace quillop {

enum class Option { Option1, Option2, Option3, Option4 };

// The option becomes selected, the other option of its group is cleared and
// the kind options' handler runs. A click on the option already selected, or
// on a disabled one, changes nothing, so a stray click cannot wipe the
// passwords shown. Returns whether the form changed.
bool clickOption(Form1& form, Option option);

// The form's state of that option button.
const OptionButton& optionButton(const Form1& form, Option option);

// The check box toggles its value, then its handler runs.
void clickCheck1(Form1& form);

}  // namespace quillop
