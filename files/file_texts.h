#pragma once

// The names, labels and messages of the password files.
namespace quillop::files::texts {

inline constexpr char16_t kNumericFile[] = u"Числовой пароль.txt";
inline constexpr char16_t kSymbolicFile[] = u"Символьный пароль.txt";
inline constexpr char16_t kBothFile[] = u"пароль.txt";

inline constexpr char16_t kNumericLabel[] = u"Числовой пароль: ";
inline constexpr char16_t kSymbolicLabel[] = u"Символьный пароль: ";

inline constexpr char16_t kNumericSaved[] = u"Числовой пароль успешно сохранён!!!";
inline constexpr char16_t kSymbolicSaved[] = u"Символьный пароль успешно сохранён!!!";
inline constexpr char16_t kBothSaved[] = u"Файл сохранён успешно!!!";
inline constexpr char16_t kEmptyField[] = u"Ошибка сохранения файла!!!";

inline constexpr char16_t kUnsavableBefore[] = u"В поле «";
inline constexpr char16_t kUnsavableAfter[] =
    u"» есть символ, который нельзя записать в файл в кодировке Windows-1251. Файл не записан.";
inline constexpr char16_t kControlCharacterAfter[] =
    u"» есть перевод строки, табуляция или другой управляющий символ, который нельзя записать "
    u"в файл. Файл не записан.";
inline constexpr char16_t kWriteFailedBefore[] = u"Не удалось сохранить файл «";
inline constexpr char16_t kWriteFailedAfter[] = u"».\nПричина: ";
inline constexpr char16_t kWriteFailedEnd[] = u"\nПрежний файл, если он был, не изменён.";
inline constexpr char16_t kNotConfirmedEnd[] =
    u"\nНовый файл уже записан на место прежнего, но система не подтвердила, что он сохранён на "
    u"диске.";
inline constexpr char16_t kNoProgramFolder[] =
    u"Не удалось определить папку программы, в которую сохраняются файлы. Файл не записан.";

}  // namespace quillop::files::texts
