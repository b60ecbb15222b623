#include "qt_file_replacer.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>

using namespace quillop;
using namespace quillop::files;

namespace fs = std::filesystem;

// A replaced file holds the new bytes only and is its owner's alone, however
// open it was. Each failure is reported and changes nothing: a removed program
// folder, and a write cut short by a size limit below the new file's size, as
// on a full disk. (A folder in the file's way is tried on the real window.)
TEST(QtFileReplacerTest, ReplacesWholeFilesOwnerOnlyOrReportsAndChangesNothing) {
    const auto replace = [](const fs::path& path, std::string_view bytes) {
        return QtFileReplacer().replace(path.u16string(), bytes);
    };
    char pattern[] = "/tmp/quillop-files-XXXXXX";
    const fs::path folder = mkdtemp(pattern), file = folder / fs::path(u"Числовой пароль.txt");
    EXPECT_NE(replace(folder / "gone" / "x.txt", "1\r\n"), std::nullopt);
    ASSERT_EQ(replace(file, "123456789\r\n"), std::nullopt);
    fs::permissions(file, fs::perms(0644));
    ASSERT_EQ(replace(file, "2\r\n"), std::nullopt);
    EXPECT_EQ(fs::status(file).permissions(), fs::perms::owner_read | fs::perms::owner_write);

    std::signal(SIGXFSZ, SIG_IGN);  // the write fails instead of ending the test
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const rlimit limit{10, old.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    const auto failure = replace(file, "longer than ten bytes");
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(failure, std::u16string(u"File too large"));
    std::ifstream in(file, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "2\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 1) << "a temporary was left";
    fs::remove_all(folder);
}
