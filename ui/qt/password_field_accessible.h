#pragma once

namespace quillop::ui {

// Qt 6.4 reports a line edit's text attributes as runs of no length, and Orca
// builds its reading from those runs, so it dropped a field's last character
// ("76563" for "765630"). This gives the fields an interface of their own
// whose one run spans the whole text. Call before the first field is made:
// Qt keeps the first interface it hands out.
void readPasswordFieldsWhole();

}  // namespace quillop::ui
