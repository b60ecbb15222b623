#include <gtest/gtest.h>
#include <windows.h>

#include "program_folder.h"
#include "wide_string.h"
#include "win32_program_folder.h"

namespace quillop::files {
namespace {

TEST(ProgramFolder, FolderOfAnExecutable) {
    EXPECT_EQ(folderOf(u"C:\\Tools\\Quillop\\quillop.exe"), u"C:\\Tools\\Quillop");
    EXPECT_EQ(folderOf(u"C:\\quillop.exe"), u"C:\\");  // a drive's root keeps its one separator
    EXPECT_EQ(folderOf(u"\\\\server\\share\\quillop.exe"), u"\\\\server\\share");
}

TEST(ProgramFolder, HoldsTheRunningProgram) {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring name = std::wstring(path).substr(std::wstring(path).find_last_of(L'\\'));
    EXPECT_NE(GetFileAttributesW((wide(programFolder()) + name).c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace quillop::files
