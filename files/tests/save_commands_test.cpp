#include "save_commands.h"

#include <gtest/gtest.h>

#include "test_doubles.h"

using namespace quillop;
using namespace quillop::files;

// Remembers what would be written where; under "/full" it fails as a full disk
// would, under "/unsynced" after the new file took the earlier one's place.
class RecordingReplacer final : public FileReplacer {
public:
    std::optional<ReplaceFailure> replace(const std::u16string& path,
                                          std::string_view bytes) override {
        written += path + u" <- ";
        for (const unsigned char byte : bytes) written += static_cast<char16_t>(byte);
        if (path.starts_with(u"/full")) return ReplaceFailure{u"Disk full"};
        if (path.starts_with(u"/unsynced")) return ReplaceFailure{u"I/O", false};
        return std::nullopt;
    }
    std::u16string written;
};

#if defined(_WIN32)
#define SEP u"\\"
#define ROOT u"C:\\"
#else
#define SEP u"/"
#define ROOT u"/"
#endif
// The labels in Windows-1251, one char16_t per byte.
#define NUMERIC u"\xD7\xE8\xF1\xEB\xEE\xE2\xEE\xE9 \xEF\xE0\xF0\xEE\xEB\xFC: "
#define SYMBOLIC u"\xD1\xE8\xEC\xE2\xEE\xEB\xFC\xED\xFB\xE9 \xEF\xE0\xF0\xEE\xEB\xFC: "
#define EMPTY u"(x) OK: Ошибка сохранения файла!!!"
#define CONTROL(field) \
    u"(x) OK: В поле «" field u"» есть перевод строки, табуляция или другой " \
    u"управляющий символ, который нельзя записать в файл. Файл не записан."

// Each command with its fields and program folder: the one file it writes, as
// the path and the bytes handed over, and the one box it shows.
TEST(SaveCommands, WriteTheirOwnFileOrReportWhyNot) {
    using enum Control;
    // The command, Text1, Text2 and the folder; what is written and the box shown.
    using Text = const char16_t*;
    const std::tuple<Control, Text, Text, Text, Text, Text> rows[] = {
        // clang-format off
        {mnuSaveChis, u"999999999", u"", u"/q", u"/q" SEP u"Числовой пароль.txt <- " NUMERIC
         u"999999999\r\n", u"(i) OK: Числовой пароль успешно сохранён!!!"},
        {mnuSaveSim, u"", u"QW@!#$%M", u"/q", u"/q" SEP u"Символьный пароль.txt <- " SYMBOLIC
         u"QW@!#$%M\r\n", u"(i) OK: Символьный пароль успешно сохранён!!!"},
        // Typed text is saved exactly as typed; the numeric line comes first.
        {mnuSave, u" ~1", u"Пароль ё", ROOT, ROOT u"пароль.txt <- " NUMERIC u" ~1\r\n"
         SYMBOLIC u"\xCF\xE0\xF0\xEE\xEB\xFC \xB8\r\n", u"(i) OK: Файл сохранён успешно!!!"},
        {mnuSaveSim, u"1", u"", u"/q", u"", EMPTY},
        {mnuSave, u"", u"Q", u"/q", u"", EMPTY},
        {mnuSave, u"1", u"QW中", u"/q", u"", u"(x) OK: В поле «Символьный пароль» есть "
         u"символ, который нельзя записать в файл в кодировке Windows-1251. Файл не записан."},
        // A pasted line break or tab would split the line: no control character is saved.
        {mnuSaveChis, u"12\n34\t5", u"", u"/q", u"", CONTROL(u"Числовой пароль")},
        {mnuSave, u"1", u"~\x1F", u"/q", u"", CONTROL(u"Символьный пароль")},
        {mnuSaveSim, u"", u" ~\x7F", u"/q", u"", CONTROL(u"Символьный пароль")},
        {mnuSaveChis, u"7", u"", u"/full", u"/full" SEP u"Числовой пароль.txt <- " NUMERIC
         u"7\r\n", u"(x) OK: Не удалось сохранить файл «/full" SEP u"Числовой пароль.txt».\n"
         u"Причина: Disk full\nПрежний файл, если он был, не изменён."},
        {mnuSaveSim, u"", u"Q", u"/unsynced", u"/unsynced" SEP u"Символьный пароль.txt <- "
         SYMBOLIC u"Q\r\n", u"(x) OK: Не удалось сохранить файл «/unsynced" SEP u"Символьный "
         u"пароль.txt».\nПричина: I/O\nНовый файл уже записан на место прежнего, но система не "
         u"подтвердила, что он сохранён на диске."},
        // Without the program's folder the path would be relative: nothing is written.
        {mnuSave, u"1", u"Q", u"", u"", u"(x) OK: Не удалось определить папку программы, "
         u"в которую сохраняются файлы. Файл не записан."},
        // clang-format on
    };
    for (const auto& [item, text1, text2, folder, written, shown] : rows) {
        Form1 form;
        form.Text1.Text = text1;
        form.Text2.Text = text2;
        RecordingReplacer replacer;
        doubles::RecordingMessages messages;
        PasswordFiles(folder, replacer).save(item, form, messages);
        EXPECT_EQ(replacer.written, written);
        EXPECT_EQ(messages.shown, doubles::Shown{shown})
            << ::testing::PrintToString(std::u16string(text1) + u"|" + text2);
    }
}
