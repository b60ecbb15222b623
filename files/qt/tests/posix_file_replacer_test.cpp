#include "posix_file_replacer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>

using namespace quillop::files;

namespace fs = std::filesystem;

namespace {

struct Crash {};

// The real calls, but the one named fails with the error, or throws as if the
// program died there (nothing of the save's own clean-up runs then).
class OneCallFails final : public SaveCalls {
public:
    OneCallFails(std::string call, int error) : call_(std::move(call)), error_(error) {}
    int createTemporary(char* pathTemplate) override {
        return fails("open") ? -1 : SaveCalls::createTemporary(pathTemplate);
    }
    int makeOwnerOnly(int file) override {
        return fails("mode") ? -1 : SaveCalls::makeOwnerOnly(file);
    }
    ssize_t write(int file, const char* bytes, size_t size) override {
        if (fails("short write")) return 0;  // nothing written, and no reason given
        return fails("write") ? -1 : SaveCalls::write(file, bytes, size);
    }
    int syncData(int file) override { return fails("sync") ? -1 : SaveCalls::syncData(file); }
    int close(int file) override { return fails("close") ? -1 : SaveCalls::close(file); }
    int rename(const char* from, const char* to) override {
        return fails("rename") ? -1 : SaveCalls::rename(from, to);
    }
    int syncFolder(const char* folder) override {
        return fails("folder sync") ? -1 : SaveCalls::syncFolder(folder);
    }

private:
    bool fails(const std::string& call) {
        if (call != call_) return false;
        if (error_ == 0) throw Crash{};
        errno = error_;
        return true;
    }
    std::string call_;
    int error_;
};

class Replacer : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/quillop-files-XXXXXX";
        folder = mkdtemp(pattern);
        std::ofstream(folder / u8"пароль.txt", std::ios::binary) << "earlier\r\n";
    }
    void TearDown() override { fs::remove_all(folder); }

    std::optional<ReplaceFailure> save(SaveCalls& calls, std::string_view bytes = "new\r\n") {
        return PosixFileReplacer(calls).replace((folder / u8"пароль.txt").u16string(), bytes);
    }
    std::string contents() const {
        std::ifstream in(folder / u8"пароль.txt", std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    std::set<std::string> names() const {
        std::set<std::string> result;
        for (const auto& entry : fs::directory_iterator(folder))
            result.insert(entry.path().filename().string());
        return result;
    }

    fs::path folder;
    SaveCalls systemCalls;
};

}  // namespace

// Any call that keeps the bytes from the disk is reported with the system's
// reason and leaves the earlier file and nothing else; only a folder that
// cannot be synced comes after the new file has taken the earlier one's place.
TEST_F(Replacer, EachFailingCallIsReportedAndKeepsTheEarlierFile) {
    const std::tuple<const char*, int, ReplaceFailure> rows[] = {
        {"open", EACCES, {u"Permission denied"}},
        {"mode", EROFS, {u"Read-only file system"}},
        {"write", ENOSPC, {u"No space left on device"}},
        {"short write", EIO, {u"No space left on device"}},
        {"sync", EIO, {u"Input/output error"}},
        {"close", EDQUOT, {u"Disk quota exceeded"}},
        {"rename", EXDEV, {u"Invalid cross-device link"}},
        {"folder sync", EIO, {u"Input/output error", false}},
    };
    for (const auto& [call, error, reported] : rows) {
        SCOPED_TRACE(call);
        OneCallFails calls(call, error);
        EXPECT_EQ(save(calls), reported);
        EXPECT_EQ(contents(), reported.earlierFileKept ? "earlier\r\n" : "new\r\n");
        EXPECT_EQ(names(), std::set<std::string>{"пароль.txt"});
        std::ofstream(folder / u8"пароль.txt", std::ios::binary) << "earlier\r\n";
    }
}

// A save that dies on the way leaves the earlier file whole. What it left
// beside it may hold a password: the next save of that file removes it, and
// nothing that is not certainly such a leftover, and writes the whole file.
TEST_F(Replacer, WhatADyingSaveLeftIsRemovedByTheNextSave) {
    std::set<std::string> strangers = {"пароль.txt.quillop-Notmine", "пароль.txt.quillop-open44",
                                       "пароль.txt.AbC123", "пароль.txt.quillop-dir123"};
    std::ofstream(folder / "пароль.txt.quillop-Notmine") << "a name too long";
    std::ofstream(folder / "пароль.txt.quillop-open44") << "readable by others";
    std::ofstream(folder / "пароль.txt.AbC123") << "another program's";
    fs::create_directory(folder / "пароль.txt.quillop-dir123");
    if (geteuid() == 0) {  // only root can give a file away
        strangers.insert("пароль.txt.quillop-nobody");
        std::ofstream(folder / "пароль.txt.quillop-nobody") << "another user's";
        fs::permissions(folder / "пароль.txt.quillop-nobody", fs::perms(0600));
        ASSERT_EQ(chown((folder / "пароль.txt.quillop-nobody").c_str(), 65534, 65534), 0);
    }
    for (const char* call : {"write", "sync", "close", "rename"}) {
        SCOPED_TRACE(call);
        OneCallFails calls(call, 0);
        EXPECT_THROW(save(calls), Crash);
        EXPECT_EQ(contents(), "earlier\r\n");
        EXPECT_EQ(names().size(), strangers.size() + 2) << "no temporary was left";
    }
    // The whole new file, its owner's alone however open the earlier one was.
    fs::permissions(folder / u8"пароль.txt", fs::perms(0644));
    ASSERT_EQ(save(systemCalls), std::nullopt);
    EXPECT_EQ(contents(), "new\r\n");
    EXPECT_EQ(fs::status(folder / u8"пароль.txt").permissions(), fs::perms(0600));
    std::set<std::string> left = strangers;
    left.insert("пароль.txt");
    EXPECT_EQ(names(), left);
}
