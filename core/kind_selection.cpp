#include "handlers.h"
#include "texts.h"

namespace quillop {

void onOption1Click(Form1& form) {
    form.Command2.Enabled = false;
    form.Text1.Text.clear();
    form.Text2.Text.clear();
}

void onOption2Click(Form1& form) {
    form.Command2.Enabled = true;
    form.Text1.Text.clear();
    form.Text2.Text.clear();
}

void onCheck1Click(Form1& form) {
    form.Command2.Enabled = true;
    if (form.Check1.Value == 0) {
        form.Option1.Enabled = true;
        form.Option2.Enabled = true;
    }
    if (form.Check1.Value == 1) {
        form.Option1.Enabled = false;
        form.Option2.Enabled = false;
        form.Option1.Value = false;
        form.Option2.Value = false;
    }
}

void onCommand2Click(Form1& form, MessageBoxes& messages) {
    form.Text2.Text.clear();
    form.Text1.Text.clear();
    messages.show(texts::kFieldsCleared, MessageIcon::Information, MessageButtons::Ok);
}

bool onMnuExitClick(MessageBoxes& messages) {
    const auto answer =
        messages.show(texts::kExitQuestion, MessageIcon::Information, MessageButtons::OkCancel);
    return answer == MessageAnswer::Ok;
}

}  // namespace quillop
