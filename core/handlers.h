#pragma once

#include "form1.h"
#include "message_boxes.h"
#include "random_source.h"

// The window's event handlers. Each reads and writes only the form; the
// platform is reached through the services passed in.
namespace quillop {

// Kind selection and clearing. The option and check-box handlers run after the
// click has set the control's Value.
void onOption1Click(Form1& form);
void onOption2Click(Form1& form);
void onCheck1Click(Form1& form);
void onCommand2Click(Form1& form, MessageBoxes& messages);

// Generate and the timer tick that finishes the symbolic password.
void EnableSaveCommands(Form1& form);
void onCommand1Click(Form1& form, RandomSource& random, Clock& clock, MessageBoxes& messages);
void onTimer1Tick(Form1& form, RandomSource& random, MessageBoxes& messages);

// Exit: true when the user confirmed and the program must end at once.
bool onMnuExitClick(MessageBoxes& messages);

}  // namespace quillop
