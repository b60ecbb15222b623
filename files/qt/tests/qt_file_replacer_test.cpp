#include "qt_file_replacer.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace quillop;
using namespace quillop::files;

namespace fs = std::filesystem;

class QtFileReplacerTest : public ::testing::Test {
protected:
    QtFileReplacerTest() {
        char pattern[] = "/tmp/quillop-files-XXXXXX";
        folder = mkdtemp(pattern);
        file = folder / fs::path(u"Числовой пароль.txt");
    }
    ~QtFileReplacerTest() override { fs::remove_all(folder); }

    std::optional<std::u16string> replace(const fs::path& path, std::string_view bytes) {
        return QtFileReplacer().replace(path.u16string(), bytes);
    }
    std::string read() const {
        std::stringstream bytes;
        bytes << std::ifstream(file, std::ios::binary).rdbuf();
        return bytes.str();
    }
    // Nothing is left beside the file: no temporary, no second file.
    long entries() const { return std::distance(fs::directory_iterator(folder), {}); }

    fs::path folder, file;
};

TEST_F(QtFileReplacerTest, ReplacesTheWholeFileOwnerOnlyAndLeavesNoTemporary) {
    ASSERT_EQ(replace(file, "123456789\r\n"), std::nullopt);
    EXPECT_EQ(fs::status(file).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    fs::permissions(file, fs::perms(0644));
    ASSERT_EQ(replace(file, "2\r\n"), std::nullopt);
    EXPECT_EQ(read(), "2\r\n");
    EXPECT_EQ(fs::status(file).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(entries(), 1);
}

// Each failure is reported, and the earlier file and the folder stay as they
// were: a folder in the file's way, a removed program folder, and a write cut
// short by a size limit below the new file's size, as on a full disk.
TEST_F(QtFileReplacerTest, AFailureIsReportedAndChangesNothing) {
    fs::create_directory(file);
    EXPECT_NE(replace(file, "1\r\n"), std::nullopt);
    EXPECT_TRUE(fs::is_directory(file));
    EXPECT_NE(replace(folder / "gone" / "x.txt", "1\r\n"), std::nullopt);
    EXPECT_EQ(entries(), 1);

    fs::remove(file);
    ASSERT_EQ(replace(file, "earlier"), std::nullopt);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit oldLimit{};
    getrlimit(RLIMIT_FSIZE, &oldLimit);
    rlimit limit = oldLimit;
    limit.rlim_cur = 10;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    const auto failure = replace(file, "longer than ten bytes");
    setrlimit(RLIMIT_FSIZE, &oldLimit);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(failure, std::u16string(u"File too large"));
    EXPECT_EQ(read(), "earlier");
    EXPECT_EQ(entries(), 1);
}
