#pragma once

namespace quillop::ui {

// The option buttons leave their grouping to the form (auto-exclusive off, so
// the program can clear a whole group), which Qt would announce as check
// boxes. This tells assistive tools that they are radio buttons. Call before
// the first option button is made: Qt keeps the first interface it hands out.
void announceOptionButtonsAsRadioButtons();

}  // namespace quillop::ui
