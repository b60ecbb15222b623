#include "save_commands.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "qt_file_replacer.h"
#include "scripted_random.h"

namespace quillop::files {
namespace {

namespace fs = std::filesystem;
using quillop::testing::RecordingMessages;

const std::string kNumericLabel =
    "\xD7\xE8\xF1\xEB\xEE\xE2\xEE\xE9\x20\xEF\xE0\xF0\xEE\xEB\xFC\x3A\x20";
const std::string kSymbolicLabel =
    "\xD1\xE8\xEC\xE2\xEE\xEB\xFC\xED\xFB\xE9\x20\xEF\xE0\xF0\xEE\xEB\xFC\x3A\x20";
const char16_t kNumericFile[] = u"Числовой пароль.txt";
const char16_t kSymbolicFile[] = u"Символьный пароль.txt";
const char16_t kBothFile[] = u"пароль.txt";

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

class SaveCommandsTest : public ::testing::Test {
protected:
    SaveCommandsTest() {
        char pattern[] = "/tmp/quillop-files-XXXXXX";
        folder = mkdtemp(pattern);
    }
    ~SaveCommandsTest() override { fs::remove_all(folder); }

    fs::path file(const char16_t* name) const { return folder / fs::path(std::u16string(name)); }
    void run(void (*command)(const Form1&, SaveServices&)) {
        SaveServices services{folder.u16string(), replacer, messages};
        command(form, services);
    }
    std::vector<fs::path> folderContents() const {
        std::vector<fs::path> names;
        for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path());
        return names;
    }
    const quillop::testing::ShownMessage& lastMessage() const { return messages.shown.back(); }

    fs::path folder;
    Form1 form;
    QtFileReplacer replacer;
    RecordingMessages messages;
};

TEST_F(SaveCommandsTest, EachCommandWritesItsWholeFileByteForByte) {
    form.Text1.Text = u"999999999";
    form.Text2.Text = u"QW@!#$%M";
    run(onMnuSaveChisClick);
    EXPECT_EQ(readFile(file(kNumericFile)), kNumericLabel + "999999999\r\n");
    EXPECT_EQ(lastMessage().text, u"Числовой пароль успешно сохранён!!!");
    EXPECT_EQ(lastMessage().icon, MessageIcon::Information);

    run(onMnuSaveSimClick);
    EXPECT_EQ(readFile(file(kSymbolicFile)), kSymbolicLabel + "QW@!#$%M\r\n");
    EXPECT_EQ(lastMessage().text, u"Символьный пароль успешно сохранён!!!");

    run(onMnuSaveClick);
    EXPECT_EQ(readFile(file(kBothFile)),
              kNumericLabel + "999999999\r\n" + kSymbolicLabel + "QW@!#$%M\r\n");
    EXPECT_EQ(lastMessage().text, u"Файл сохранён успешно!!!");
    EXPECT_EQ(folderContents().size(), 3u) << "no temporary file is left";
}

TEST_F(SaveCommandsTest, TypedTextIsSavedExactlyAsTyped) {
    form.Text1.Text = u"   ";
    form.Text2.Text = u"Пароль ё";
    run(onMnuSaveClick);
    EXPECT_EQ(readFile(file(kBothFile)),
              kNumericLabel + "   \r\n" + kSymbolicLabel + "\xCF\xE0\xF0\xEE\xEB\xFC \xB8\r\n");
}

TEST_F(SaveCommandsTest, AnEmptyRequiredFieldIsReportedAndNothingIsWritten) {
    const struct {
        const char16_t* text1;
        const char16_t* text2;
        void (*command)(const Form1&, SaveServices&);
    } cases[] = {
        {u"", u"QWERTY", onMnuSaveChisClick}, {u"123", u"", onMnuSaveSimClick},
        {u"", u"QWERTY", onMnuSaveClick},     {u"123", u"", onMnuSaveClick},
        {u"", u"", onMnuSaveClick},
    };
    for (const auto& c : cases) {
        form.Text1.Text = c.text1;
        form.Text2.Text = c.text2;
        run(c.command);
        EXPECT_EQ(lastMessage().text, u"Ошибка сохранения файла!!!");
        EXPECT_EQ(lastMessage().icon, MessageIcon::Critical);
        EXPECT_EQ(lastMessage().buttons, MessageButtons::Ok);
    }
    EXPECT_EQ(messages.shown.size(), std::size(cases));
    EXPECT_TRUE(folderContents().empty());
}

TEST_F(SaveCommandsTest, ACharacterOutsideTheCodePageWritesNothing) {
    form.Text1.Text = u"12345";
    form.Text2.Text = u"QWE中";
    run(onMnuSaveClick);
    EXPECT_EQ(lastMessage().icon, MessageIcon::Critical);
    EXPECT_NE(lastMessage().text.find(u"«Символьный пароль»"), std::u16string::npos);
    run(onMnuSaveSimClick);
    EXPECT_TRUE(folderContents().empty());
}

TEST_F(SaveCommandsTest, SavingAgainKeepsOnlyTheNewPasswordOwnerOnly) {
    form.Text1.Text = u"111111111";
    run(onMnuSaveChisClick);
    EXPECT_EQ(fs::status(file(kNumericFile)).permissions(),
              fs::perms::owner_read | fs::perms::owner_write);

    fs::permissions(file(kNumericFile), fs::perms(0644));
    form.Text1.Text = u"2";
    run(onMnuSaveChisClick);
    EXPECT_EQ(readFile(file(kNumericFile)), kNumericLabel + "2\r\n");
    EXPECT_EQ(fs::status(file(kNumericFile)).permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(SaveCommandsTest, TheThreeFilesNeverTouchEachOther) {
    form.Text1.Text = u"1";
    form.Text2.Text = u"Q";
    run(onMnuSaveClick);
    run(onMnuSaveSimClick);
    form.Text2.Text = u"W";
    run(onMnuSaveChisClick);
    EXPECT_EQ(readFile(file(kBothFile)), kNumericLabel + "1\r\n" + kSymbolicLabel + "Q\r\n");
    EXPECT_EQ(readFile(file(kSymbolicFile)), kSymbolicLabel + "Q\r\n");
    EXPECT_EQ(readFile(file(kNumericFile)), kNumericLabel + "1\r\n");
}

// A failed save names the file and the reason, shows no success, and leaves
// the earlier file and the folder as they were.
class FailedSaveTest : public SaveCommandsTest {
protected:
    void expectReportedFailure(const fs::path& target) {
        ASSERT_FALSE(messages.shown.empty());
        EXPECT_EQ(lastMessage().icon, MessageIcon::Critical);
        EXPECT_NE(lastMessage().text.find(target.u16string()), std::u16string::npos);
        for (const auto& shown : messages.shown)
            EXPECT_EQ(shown.text.find(u"успешно"), std::u16string::npos);
    }
};

TEST_F(FailedSaveTest, AFolderWithTheFilesName) {
    fs::create_directory(file(kBothFile));
    form.Text1.Text = u"1";
    form.Text2.Text = u"Q";
    run(onMnuSaveClick);
    expectReportedFailure(file(kBothFile));
    EXPECT_TRUE(fs::is_directory(file(kBothFile)));
    EXPECT_EQ(folderContents().size(), 1u);
}

TEST_F(FailedSaveTest, AProgramFolderThatWasRemoved) {
    const fs::path gone = folder / "gone";
    fs::create_directory(gone);
    fs::remove(gone);
    form.Text1.Text = u"1";
    SaveServices services{gone.u16string(), replacer, messages};
    onMnuSaveChisClick(form, services);
    expectReportedFailure(gone / fs::path(std::u16string(kNumericFile)));
    EXPECT_FALSE(fs::exists(gone));
}

TEST_F(FailedSaveTest, AWriteCutShortByAFileSizeLimitKeepsTheEarlierFile) {
    form.Text1.Text = u"123456789";
    run(onMnuSaveChisClick);
    const std::string earlier = readFile(file(kNumericFile));
    messages.shown.clear();

    // A limit below the new file's size: the write stops part-way, as on a full disk.
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit oldLimit{};
    getrlimit(RLIMIT_FSIZE, &oldLimit);
    rlimit limit = oldLimit;
    limit.rlim_cur = 10;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    form.Text1.Text = u"987654321";
    run(onMnuSaveChisClick);
    setrlimit(RLIMIT_FSIZE, &oldLimit);
    std::signal(SIGXFSZ, oldHandler);

    expectReportedFailure(file(kNumericFile));
    EXPECT_NE(lastMessage().text.find(u"File too large"), std::u16string::npos);
    EXPECT_EQ(readFile(file(kNumericFile)), earlier);
    EXPECT_EQ(folderContents().size(), 1u) << "no temporary file is left";
}

// Where the program folder is the root, the path has one separator.
TEST(SavePath, OneSeparatorAlsoAtTheRoot) {
    struct Recorder final : FileReplacer {
        std::optional<std::u16string> replace(const std::u16string& path,
                                              std::string_view) override {
            paths.push_back(path);
            return std::nullopt;
        }
        std::vector<std::u16string> paths;
    } recorder;
    RecordingMessages messages;
    Form1 form;
    form.Text1.Text = u"1";
    for (const char16_t* folder : {u"/", u"/opt/quillop"}) {
        SaveServices services{folder, recorder, messages};
        onMnuSaveChisClick(form, services);
    }
    EXPECT_EQ(recorder.paths, (std::vector<std::u16string>{u"/Числовой пароль.txt",
                                                           u"/opt/quillop/Числовой пароль.txt"}));
}

}  // namespace
}  // namespace quillop::files
