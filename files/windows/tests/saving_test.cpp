// Saving on Windows: where the files go, and the atomic, owner-only replace. The
// window tests start quillop.exe from another folder and find its files beside it.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <numeric>
#include <set>
#include <tuple>

#include "owner_only_security.h"
#include "system_reason.h"
#include "wide_string.h"
#include "win32_file_replacer.h"
#include "win32_program_folder.h"

namespace quillop::files {
namespace {

namespace fs = std::filesystem;

// The names in a folder.
std::set<std::wstring> entries(const fs::path& folder) {
    std::set<std::wstring> result;
    for (const auto& entry : fs::directory_iterator(folder))
        result.insert(entry.path().filename().wstring());
    return result;
}

struct Crash {};

// The real calls, but the one named fails with the error, or throws as if the
// program died there (nothing of the save's own clean-up runs then); the
// waits are counted instead of waited.
class OneCallFails final : public SaveCalls {
public:
    HANDLE createNew(const wchar_t* path, SECURITY_ATTRIBUTES* security) override {
        return fails("create") ? INVALID_HANDLE_VALUE : SaveCalls::createNew(path, security);
    }
    BOOL write(HANDLE file, const char* bytes, DWORD size, DWORD* written) override {
        if (fails("short write")) return *written = 0, TRUE;  // nothing written, no reason given
        return !fails("write") && SaveCalls::write(file, bytes, size, written);
    }
    BOOL flush(HANDLE file) override { return !fails("flush") && SaveCalls::flush(file); }
    BOOL close(HANDLE file) override {
        SaveCalls::close(file);
        return !fails("close");
    }
    BOOL move(const wchar_t* from, const wchar_t* to) override {
        return !fails("move") && SaveCalls::move(from, to);
    }
    void pause(unsigned milliseconds) override { pauses.push_back(milliseconds); }

    std::string call;
    DWORD error = ERROR_SUCCESS;
    std::vector<unsigned> pauses;

private:
    bool fails(const std::string& name) {
        if (name != call) return false;
        if (error == ERROR_SUCCESS) throw Crash{};
        SetLastError(error);
        return true;
    }
};

class Replacer : public ::testing::Test {
protected:
    void SetUp() override {
        TearDown();  // what an interrupted run left
        fs::create_directories(folder);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }

    std::u16string path(const fs::path& name) const { return utf16((folder / name).wstring()); }
    std::string read(const fs::path& name) const {
        std::ifstream in(folder / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    const fs::path folder =
        fs::temp_directory_path() / (L"quillop-test-" + std::to_wstring(GetCurrentProcessId()));
    OneCallFails calls;
    Win32FileReplacer replacer{calls};
};

TEST(ProgramFolder, FolderOfAnExecutable) {
    EXPECT_EQ(folderOf(u"C:\\Tools\\Quillop\\quillop.exe"), u"C:\\Tools\\Quillop");
    EXPECT_EQ(folderOf(u"C:\\quillop.exe"), u"C:\\");  // a drive's root keeps its one separator
    EXPECT_EQ(folderOf(u"\\\\server\\share\\quillop.exe"), u"\\\\server\\share");
}

// Every failure is reported and leaves the earlier file and nothing else: the
// real ones, and any one call of a save made to fail, with the system's own
// reason. Only a held file is worth waiting for, and not long enough to notice;
// a read-only file, a folder or a missing folder is reported at once.
TEST_F(Replacer, EachFailureIsReportedAndKeepsTheEarlierFile) {
    fs::create_directory(folder / L"folder in the way");
    for (const auto* name : {L"read-only", L"held", L"пароль.txt"})
        std::ofstream(folder / name, std::ios::binary) << "earlier\r\n";
    SetFileAttributesW((folder / L"read-only").c_str(), FILE_ATTRIBUTE_READONLY);
    HANDLE held = CreateFileW((folder / L"held").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              0, nullptr);
    const auto before = entries(folder);
    // The target; the call made to fail, its error and the reason given; the waits.
    const std::tuple<fs::path, const char*, DWORD, DWORD, std::size_t> rows[] = {
        {L"folder in the way", "", 0, 0, 0},
        {L"removed" / fs::path(L"пароль.txt"), "", 0, 0, 0},
        {L"read-only", "", 0, ERROR_ACCESS_DENIED, 0},
        {L"held", "", 0, 0, 4},
        {L"пароль.txt", "create", ERROR_ACCESS_DENIED, ERROR_ACCESS_DENIED, 0},
        {L"пароль.txt", "write", ERROR_HANDLE_DISK_FULL, ERROR_HANDLE_DISK_FULL, 0},
        {L"пароль.txt", "short write", ERROR_IO_DEVICE, ERROR_DISK_FULL, 0},
        {L"пароль.txt", "flush", ERROR_WRITE_FAULT, ERROR_WRITE_FAULT, 0},
        {L"пароль.txt", "close", ERROR_IO_DEVICE, ERROR_IO_DEVICE, 0},
        {L"пароль.txt", "move", ERROR_NOT_SAME_DEVICE, ERROR_NOT_SAME_DEVICE, 0},
    };
    for (const auto& [target, call, error, reported, waits] : rows) {
        SCOPED_TRACE(target.string() + " " + call);
        std::tie(calls.call, calls.error) = std::tuple(call, error);
        calls.pauses.clear();
        const auto failure = replacer.replace(path(target), "new\r\n");
        ASSERT_NE(failure, std::nullopt);
        if (reported) {
            EXPECT_EQ(failure->reason, systemReason(reported));
        }
        EXPECT_EQ(entries(folder), before);
        EXPECT_EQ(calls.pauses.size(), waits);
        EXPECT_LE(std::accumulate(calls.pauses.begin(), calls.pauses.end(), 0u), 200u);
    }
    CloseHandle(held);
    SetFileAttributesW((folder / L"read-only").c_str(), FILE_ATTRIBUTE_NORMAL);
    for (const auto* name : {L"read-only", L"held", L"пароль.txt"})
        EXPECT_EQ(read(name), "earlier\r\n");
    EXPECT_TRUE(fs::is_empty(folder / L"folder in the way"));
}

// A save that dies on the way leaves the earlier file whole. What it left may
// hold a password: the next save of that file removes it, and every other
// leftover of its own, however many, but nothing that is someone else's, and
// puts the exact bytes there for this user alone.
TEST_F(Replacer, WhatDyingSavesLeftIsRemovedByTheNextSave) {
    std::ofstream(folder / L"пароль.txt", std::ios::binary) << "earlier\r\n";
    std::ofstream(folder / L"пароль.~00") << "someone else's";
    ASSERT_FALSE(onlyThisUserMayOpen(folder / L"пароль.~00"));
    std::ofstream(folder / L"пароль.~ab") << "not a temporary's name";
    OwnerOnlySecurity security;
    for (int i = 1; i < 100; ++i) {
        const std::wstring name = L"\\пароль.~" + std::to_wstring(i / 10) + std::to_wstring(i % 10);
        CloseHandle(CreateFileW((folder.wstring() + name).c_str(), GENERIC_WRITE, 0,
                                security.attributes(), CREATE_NEW, 0, nullptr));
    }
    calls.call = "move";
    calls.error = ERROR_SUCCESS;
    EXPECT_THROW(replacer.replace(path(L"пароль.txt"), "new\r\n"), Crash);
    EXPECT_EQ(read(L"пароль.~01"), "new\r\n");
    EXPECT_EQ(entries(folder).size(), 4u) << "the earlier leftovers are gone, the new one left";
    calls.call.clear();
    const std::string bytes = "\xD7\xE8\xF1\xEB\xEE\xE2\xEE\xE9: 42\r\n";
    EXPECT_EQ(replacer.replace(path(L"пароль.txt"), bytes), std::nullopt);
    EXPECT_EQ(read(L"пароль.txt"), bytes);
    EXPECT_TRUE(onlyThisUserMayOpen(folder / L"пароль.txt"));
    EXPECT_EQ(read(L"пароль.~00"), "someone else's");
    EXPECT_EQ(entries(folder),
              (std::set<std::wstring>{L"пароль.txt", L"пароль.~00", L"пароль.~ab"}));
}

}  // namespace
}  // namespace quillop::files
