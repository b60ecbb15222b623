#pragma once

#include <string>

#include "file_replacer.h"
#include "form1.h"
#include "message_boxes.h"

namespace quillop::files {

// What a save command needs from the platform: where the program lives, how a
// file is replaced atomically, and how the user is told.
struct SaveServices {
    std::u16string programFolder;
    FileReplacer& replacer;
    MessageBoxes& messages;
};

void onMnuSaveChisClick(const Form1& form, SaveServices& services);
void onMnuSaveSimClick(const Form1& form, SaveServices& services);
void onMnuSaveClick(const Form1& form, SaveServices& services);

}  // namespace quillop::files
