#include "generators.h"
#include "handlers.h"
#include "texts.h"

namespace quillop {

namespace {

constexpr std::uint32_t kBothKindsBound = 1'000'000'000;

std::uint32_t numericBound(const Form1& form) {
    std::uint32_t bound = 1'000'000;
    if (form.Option3.Value) bound = 1'000'000;
    if (form.Option4.Value) bound = 100'000'000;
    return bound;
}

int symbolCount(const Form1& form) {
    int count = 6;
    if (form.Option3.Value) count = 6;
    if (form.Option4.Value) count = 8;
    return count;
}

void reportRandomUnavailable(MessageBoxes& messages) {
    messages.show(texts::kRandomUnavailable, MessageIcon::Critical, MessageButtons::Ok);
}

}  // namespace

void EnableSaveCommands(Form1& form) {
    form.mnuSaveChis.Enabled = true;
    form.mnuSaveSim.Enabled = true;
    form.mnuSave.Enabled = true;
}

void onCommand1Click(Form1& form, RandomSource& random, Clock& clock, MessageBoxes& messages) {
    EnableSaveCommands(form);
    form.Text2.Text.clear();
    try {
        if (form.Option1.Value) {
            form.Text1.Text = numericPassword(random, numericBound(form));
        } else if (form.Option2.Value) {
            form.Timer1.Enabled = true;
        } else if (form.Check1.Value == 1) {
            form.Text1.Text = numericPassword(random, kBothKindsBound);
            form.Timer1.Enabled = true;
        } else {
            random.Reseed(clock.ClockSeconds());
            form.Text1.Text = numericPassword(random, numericBound(form));
        }
    } catch (const RandomUnavailable&) {
        // An old number left in the field would pass for a new one.
        form.Text1.Text.clear();
        reportRandomUnavailable(messages);
    }
}

void onTimer1Tick(Form1& form, RandomSource& random, MessageBoxes& messages) {
    form.Timer1.Enabled = false;
    try {
        form.Text2.Text += symbolicPassword(random, symbolCount(form));
    } catch (const RandomUnavailable&) {
        form.Text2.Text.clear();
        reportRandomUnavailable(messages);
    }
}

}  // namespace quillop
