// Saving on Windows: where the files go, and the atomic, owner-only replace. The
// window tests start quillop.exe from another folder and find its files beside it.
#include <aclapi.h>
#include <gtest/gtest.h>
#include <sddl.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "owner_only_security.h"
#include "wide_string.h"
#include "win32_file_replacer.h"
#include "win32_program_folder.h"

namespace quillop::files {
namespace {

namespace fs = std::filesystem;

class Replacer : public ::testing::Test {
protected:
    void SetUp() override {
        TearDown();  // what an interrupted run left
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    std::u16string path(const fs::path& name) const { return utf16((folder / name).wstring()); }
    std::set<fs::path> names() const {
        std::set<fs::path> result;
        for (const auto& entry : fs::directory_iterator(folder))
            result.insert(entry.path().filename());
        return result;
    }
    std::string read(const fs::path& name) const {
        std::ifstream in(folder / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    const fs::path folder =
        fs::temp_directory_path() / (L"quillop-test-" + std::to_wstring(GetCurrentProcessId()));
    Win32FileReplacer replacer;
};

// Whom the file's DACL lets in: "user" for this process's user, others by SID.
// Wine makes a DACL up from the Unix mode and adds SYSTEM (S-1-5-18).
std::set<std::string> grantees(const std::u16string& path) {
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    GetNamedSecurityInfoW(wide(path).c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                          nullptr, &dacl, nullptr, &descriptor);
    std::vector<unsigned char> user = currentUserSid();
    std::set<std::string> result;
    for (DWORD i = 0; dacl && i < dacl->AceCount; ++i) {
        ACCESS_ALLOWED_ACE* ace = nullptr;
        char* sid = nullptr;
        GetAce(dacl, i, reinterpret_cast<void**>(&ace));
        ConvertSidToStringSidA(&ace->SidStart, &sid);
        if (ace->Header.AceType == ACCESS_ALLOWED_ACE_TYPE)
            result.insert(EqualSid(&ace->SidStart, user.data()) ? "user" : sid);
        LocalFree(sid);
    }
    LocalFree(descriptor);
    if (GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version"))
        result.erase("S-1-5-18");
    return result;
}

TEST(ProgramFolder, FolderOfAnExecutable) {
    EXPECT_EQ(folderOf(u"C:\\Tools\\Quillop\\quillop.exe"), u"C:\\Tools\\Quillop");
    EXPECT_EQ(folderOf(u"C:\\quillop.exe"), u"C:\\");  // a drive's root keeps its one separator
    EXPECT_EQ(folderOf(u"\\\\server\\share\\quillop.exe"), u"\\\\server\\share");
}

TEST_F(Replacer, PutsExactlyTheBytesForTheUserOnlyAndLeavesNoTemporaryFile) {
    const std::string bytes = "\xD7\xE8\xF1\xEB\xEE\xE2\xEE\xE9: 42\r\n";
    std::ofstream(folder / L"пароль.txt") << "old, longer contents";
    for (const auto* name : {L"пароль.txt", L"Числовой пароль.txt"}) {
        SCOPED_TRACE(fs::path(name).string());
        EXPECT_EQ(replacer.replace(path(name), bytes), std::nullopt);
        EXPECT_EQ(read(name), bytes);
        EXPECT_EQ(grantees(path(name)), std::set<std::string>{"user"});
    }
    EXPECT_EQ(names(), (std::set<fs::path>{L"пароль.txt", L"Числовой пароль.txt"}));
}

TEST_F(Replacer, AFailureGivesTheReasonKeepsTheEarlierFileAndLeavesNoTemporaryFile) {
    fs::create_directory(folder / L"folder in the way");
    std::ofstream(folder / L"held", std::ios::binary) << "earlier\r\n";
    HANDLE held = CreateFileW((folder / L"held").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              0, nullptr);
    const auto before = names();
    for (const fs::path& target : {fs::path(L"folder in the way"),
                                   L"removed" / fs::path(L"пароль.txt"), fs::path(L"held")}) {
        SCOPED_TRACE(target.string());
        EXPECT_NE(replacer.replace(path(target), "new\r\n").value_or(u""), u"");
        EXPECT_EQ(names(), before);
    }
    CloseHandle(held);
    EXPECT_EQ(read(L"held"), "earlier\r\n");
    EXPECT_TRUE(fs::is_empty(folder / L"folder in the way"));
}

}  // namespace
}  // namespace quillop::files
