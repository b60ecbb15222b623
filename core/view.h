#pragma once

#include <string>

#include "form1.h"
#include "message_boxes.h"

namespace quillop {

// What a window does for the controller: it shows what it is told and passes
// every user event to the controller; it keeps no rule of its own. Its
// message boxes are modal over the window.
class View : public MessageBoxes {
public:
    virtual void setText(Control field, const std::u16string& text) = 0;
    virtual void setChecked(Control control, bool checked) = 0;
    virtual void setEnabled(Control control, bool enabled) = 0;
    // selectText: a field shows its whole text selected.
    virtual void setFocus(Control control, bool selectText) = 0;
    // Armed: one tick through the event loop, Form1::kTimer1IntervalMs later.
    virtual void setTimer(bool armed) = 0;
    // At once: no tick or other event runs after it.
    virtual void endProgram() = 0;
};

// The save items' commands: the files part writes the password files; the
// front end hands it to the controller.
class SaveCommands {
public:
    virtual ~SaveCommands() = default;
    // item: mnuSaveChis, mnuSaveSim or mnuSave.
    virtual void save(Control item, const Form1& form, MessageBoxes& messages) = 0;
};

}  // namespace quillop
