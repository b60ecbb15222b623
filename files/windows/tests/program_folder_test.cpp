#include <gtest/gtest.h>
#include <windows.h>

#include "program_folder.h"
#include "wide_string.h"
#include "win32_program_folder.h"

namespace quillop::files {
namespace {

TEST(ProgramFolder, FolderOfAnExecutable) {
    const std::u16string deep = u"D:\\" + std::u16string(300, u'п') + u"\\quillop.exe";
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"C:\\Tools\\Quillop\\quillop.exe", u"C:\\Tools\\Quillop"},
        {u"C:\\quillop.exe", u"C:\\"},  // a drive's root keeps its one separator
        {u"\\\\server\\share\\quillop.exe", u"\\\\server\\share"},
        {deep, deep.substr(0, deep.size() - 12)},
    };
    for (const auto& [executable, folder] : cases) EXPECT_EQ(folderOf(executable), folder);
}

TEST(ProgramFolder, HoldsTheRunningProgram) {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring name = std::wstring(path).substr(std::wstring(path).find_last_of(L'\\'));
    EXPECT_NE(GetFileAttributesW((wide(programFolder()) + name).c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace quillop::files
