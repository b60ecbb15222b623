#include "option_click.h"

#include "handlers.h"

namespace quillop {

namespace {

struct Group {
    OptionButton& chosen;
    OptionButton& other;
    void (*handler)(Form1&);
};

Group groupOf(Form1& form, Option option) {
    switch (option) {
        case Option::Option1:
            return {form.Option1, form.Option2, onOption1Click};
        case Option::Option2:
            return {form.Option2, form.Option1, onOption2Click};
        case Option::Option3:
            return {form.Option3, form.Option4, nullptr};
        case Option::Option4:
            break;
    }
    return {form.Option4, form.Option3, nullptr};
}

}  // namespace

const OptionButton& optionButton(const Form1& form, Option option) {
    switch (option) {
        case Option::Option1:
            return form.Option1;
        case Option::Option2:
            return form.Option2;
        case Option::Option3:
            return form.Option3;
        case Option::Option4:
            break;
    }
    return form.Option4;
}

bool clickOption(Form1& form, Option option) {
    const Group group = groupOf(form, option);
    if (group.chosen.Value || !group.chosen.Enabled) return false;
    group.chosen.Value = true;
    group.other.Value = false;
    if (group.handler) group.handler(form);
    return true;
}

void clickCheck1(Form1& form) {
    form.Check1.Value = form.Check1.Value == 1 ? 0 : 1;
    onCheck1Click(form);
}

}  // namespace quillop
