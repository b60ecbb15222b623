#pragma once

// Every caption and message the user reads, in one place.
namespace quillop::texts {

inline constexpr char16_t kAppTitle[] = u"Quillop";

inline constexpr char16_t kCommand1[] = u"&Генерировать";
inline constexpr char16_t kCommand2[] = u"&Очистить поля";
inline constexpr char16_t kFrame1[] = u"Генерировать числовой";
inline constexpr char16_t kOption1[] = u"Числовой пароль";
inline constexpr char16_t kOption2[] = u"Символьный пароль";
inline constexpr char16_t kOption3[] = u"6 значный";
inline constexpr char16_t kOption4[] = u"8 значный";
inline constexpr char16_t kCheck1[] = u"Одновременно";
inline constexpr char16_t kLabel1[] = u"Числовой";
inline constexpr char16_t kLabel2[] = u"Символьный";
inline constexpr char16_t kText1Name[] = u"Числовой пароль";
inline constexpr char16_t kText2Name[] = u"Символьный пароль";

inline constexpr char16_t kMnuFile[] = u"Файл";
inline constexpr char16_t kMnuSaveChis[] = u"Сохранить числовой";
inline constexpr char16_t kMnuSaveSim[] = u"Сохранить символьный";
inline constexpr char16_t kMnuSave[] = u"Сохранить оба";
inline constexpr char16_t kMnuExit[] = u"Выход";

inline constexpr char16_t kFieldsCleared[] = u"Числовое и Символьное поля очищены!";
inline constexpr char16_t kExitQuestion[] = u"Вы хотите выйти?";
inline constexpr char16_t kRandomUnavailable[] =
    u"Операционная система не выдала случайные числа. Пароль не создан.";

}  // namespace quillop::texts
