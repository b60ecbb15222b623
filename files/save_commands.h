#pragma once

#include <string>
#include <utility>

#include "file_replacer.h"
#include "form1.h"
#include "message_boxes.h"
#include "view.h"

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

// The three commands for the controller: each item runs its own.
class PasswordFiles final : public SaveCommands {
public:
    PasswordFiles(std::u16string programFolder, FileReplacer& replacer)
        : programFolder_(std::move(programFolder)), replacer_(replacer) {}
    void save(Control item, const Form1& form, MessageBoxes& messages) override;

private:
    std::u16string programFolder_;
    FileReplacer& replacer_;
};

}  // namespace quillop::files
