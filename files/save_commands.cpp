#include "save_commands.h"

#include <algorithm>
#include <vector>

#include "cp1251.h"
#include "file_texts.h"
#include "texts.h"

namespace quillop::files {

namespace {

struct Line {
    const char16_t* label;
    const TextBox& field;
    const char16_t* fieldName;
};

struct Command {
    const char16_t* fileName;
    const char16_t* savedMessage;
};

#if defined(_WIN32)
constexpr char16_t kSeparator = u'\\';
#else
constexpr char16_t kSeparator = u'/';
#endif

// Exactly one separator between folder and name, also at the root.
std::u16string joinPath(const std::u16string& folder, const std::u16string& name) {
    if (folder.back() == u'/' || folder.back() == kSeparator) return folder + name;
    return folder + kSeparator + name;
}

// A line break or a tab would split the password's line in the file, and the
// other control characters cannot be seen in the field; the user corrects them.
bool hasControlCharacter(std::u16string_view text) {
    return std::ranges::any_of(text, [](char16_t c) { return c < u' ' || c == u'\x7F'; });
}

void critical(SaveServices& services, const std::u16string& text) {
    services.messages.show(text, MessageIcon::Critical, MessageButtons::Ok);
}

void save(const std::vector<Line>& lines, Command command, SaveServices& services) {
    for (const Line& line : lines) {
        if (line.field.Text.empty()) return critical(services, texts::kEmptyField);
    }
    std::string bytes;
    for (const Line& line : lines) {
        if (hasControlCharacter(line.field.Text)) {
            return critical(services, std::u16string(texts::kUnsavableBefore) + line.fieldName +
                                          texts::kControlCharacterAfter);
        }
        const auto encoded = toWindows1251(std::u16string(line.label) + line.field.Text);
        if (!encoded) {
            return critical(services, std::u16string(texts::kUnsavableBefore) + line.fieldName +
                                          texts::kUnsavableAfter);
        }
        bytes += *encoded + "\r\n";
    }
    // A relative path would put the passwords wherever the program was started from.
    if (services.programFolder.empty()) return critical(services, texts::kNoProgramFolder);
    const std::u16string path = joinPath(services.programFolder, command.fileName);
    if (const auto failure = services.replacer.replace(path, bytes)) {
        const char16_t* end =
            failure->earlierFileKept ? texts::kWriteFailedEnd : texts::kNotConfirmedEnd;
        return critical(services, texts::kWriteFailedBefore + path + texts::kWriteFailedAfter +
                                      failure->reason + end);
    }
    services.messages.show(command.savedMessage, MessageIcon::Information, MessageButtons::Ok);
}

}  // namespace

void onMnuSaveChisClick(const Form1& form, SaveServices& services) {
    save({{texts::kNumericLabel, form.Text1, quillop::texts::kText1Name}},
         {texts::kNumericFile, texts::kNumericSaved}, services);
}

void onMnuSaveSimClick(const Form1& form, SaveServices& services) {
    save({{texts::kSymbolicLabel, form.Text2, quillop::texts::kText2Name}},
         {texts::kSymbolicFile, texts::kSymbolicSaved}, services);
}

void onMnuSaveClick(const Form1& form, SaveServices& services) {
    save({{texts::kNumericLabel, form.Text1, quillop::texts::kText1Name},
          {texts::kSymbolicLabel, form.Text2, quillop::texts::kText2Name}},
         {texts::kBothFile, texts::kBothSaved}, services);
}

void PasswordFiles::save(Control item, const Form1& form, MessageBoxes& messages) {
    SaveServices services{programFolder_, replacer_, messages};
    if (item == Control::mnuSaveChis) onMnuSaveChisClick(form, services);
    if (item == Control::mnuSaveSim) onMnuSaveSimClick(form, services);
    if (item == Control::mnuSave) onMnuSaveClick(form, services);
}

}  // namespace quillop::files
