#include "win32_file_replacer.h"

#include <aclapi.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>

#include "owner_only_security.h"
#include "wide_string.h"

namespace quillop::files {
namespace {

namespace fs = std::filesystem;

class Replacer : public ::testing::Test {
public:
    void SetUp() override {
        folder =
            fs::temp_directory_path() / (L"quillop-test-" + std::to_wstring(GetCurrentProcessId()) +
                                         L"-" + std::to_wstring(GetTickCount64()));
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
    void write(const fs::path& name, const std::string& bytes) const {
        std::ofstream(folder / name, std::ios::binary) << bytes;
    }

    fs::path folder;
    Win32FileReplacer replacer;
};

// Wine makes a file's DACL up from its Unix mode and always adds SYSTEM.
bool underWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version"); }

bool isLocalSystem(void* sid) {
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID system = nullptr;
    AllocateAndInitializeSid(&nt, 1, SECURITY_LOCAL_SYSTEM_RID, 0, 0, 0, 0, 0, 0, 0, &system);
    const bool same = EqualSid(sid, system);
    FreeSid(system);
    return same;
}

// The file's DACL grants access to this process's user and nobody else.
void expectOwnerOnly(const std::u16string& path) {
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_EQ(GetNamedSecurityInfoW(wide(path).c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION,
                                    nullptr, nullptr, &dacl, nullptr, &descriptor),
              ERROR_SUCCESS);
    ASSERT_NE(dacl, nullptr);
    std::vector<unsigned char> user = currentUserSid();
    int granted = 0;
    for (DWORD i = 0; i < dacl->AceCount; ++i) {
        void* ace = nullptr;
        ASSERT_TRUE(GetAce(dacl, i, &ace));
        auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(ace);
        EXPECT_EQ(allowed->Header.AceType, ACCESS_ALLOWED_ACE_TYPE);
        if (EqualSid(&allowed->SidStart, user.data())) {
            ++granted;
        } else {
            EXPECT_TRUE(underWine() && isLocalSystem(&allowed->SidStart)) << "ACE " << i;
        }
    }
    EXPECT_EQ(granted, 1);
    LocalFree(descriptor);
}

TEST_F(Replacer, PutsExactlyTheBytesOwnerOnlyAndLeavesNoTemporaryFile) {
    const std::string bytes = "\xD7\xE8\xF1\xEB\xEE\xE2\xEE\xE9: 42\r\n";
    write(L"пароль.txt", "old, longer contents");
    for (const auto* name : {L"пароль.txt", L"Числовой пароль.txt"}) {
        SCOPED_TRACE(fs::path(name).string());
        EXPECT_EQ(replacer.replace(path(name), bytes), std::nullopt);
        EXPECT_EQ(read(name), bytes);
        expectOwnerOnly(path(name));
    }
    EXPECT_EQ(names(), (std::set<fs::path>{L"пароль.txt", L"Числовой пароль.txt"}));
}

TEST_F(Replacer, AFailureGivesTheReasonKeepsTheEarlierFileAndLeavesNoTemporaryFile) {
    struct Case {
        const char* what;
        fs::path target;
        std::function<void(Replacer&)> arrange;
    };
    HANDLE held = INVALID_HANDLE_VALUE;
    const Case cases[] = {
        {"a folder in the way", L"пароль.txt",
         [](Replacer& t) { fs::create_directory(t.folder / L"пароль.txt"); }},
        {"a removed folder", fs::path(L"нет") / L"пароль.txt", [](Replacer&) {}},
        {"an earlier file held open by another program", L"пароль.txt",
         [&held](Replacer& t) {
             t.write(L"пароль.txt", "earlier\r\n");
             held = CreateFileW((t.folder / L"пароль.txt").c_str(), GENERIC_READ, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(folder);
        fs::create_directories(folder);
        c.arrange(*this);
        const auto before = names();
        const std::string earlier = fs::is_regular_file(folder / c.target) ? read(c.target) : "";

        const auto reason = replacer.replace(path(c.target), "new\r\n");
        ASSERT_TRUE(reason.has_value());
        EXPECT_FALSE(reason->empty());
        if (held != INVALID_HANDLE_VALUE) CloseHandle(std::exchange(held, INVALID_HANDLE_VALUE));
        EXPECT_EQ(names(), before);
        if (!earlier.empty()) {
            EXPECT_EQ(read(c.target), earlier);
        }
    }
}

}  // namespace
}  // namespace quillop::files
