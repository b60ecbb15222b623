#include "posix_file_replacer.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QString>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace quillop::files {

namespace {

constexpr char kTemporaryInfix[] = ".quillop-";
constexpr std::size_t kRandomPart = 6;  // mkostemp's XXXXXX

ReplaceFailure failure(int error, bool earlierFileKept = true) {
    return {QString::fromLocal8Bit(std::strerror(error)).toStdU16String(), earlierFileKept};
}

// Ours for certain: the name that a save of this file gives its temporary,
// a plain file of this user's, owner-only, with no other name.
bool isLeftTemporary(int folder, const char* entry, const std::string& prefix) {
    const std::size_t length = std::strlen(entry);
    if (length != prefix.size() + kRandomPart || std::strncmp(entry, prefix.data(), prefix.size()))
        return false;
    for (const char* c = entry + prefix.size(); *c; ++c)
        if (!std::isalnum(static_cast<unsigned char>(*c))) return false;
    struct stat status = {};
    return fstatat(folder, entry, &status, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(status.st_mode) &&
           status.st_uid == geteuid() && (status.st_mode & 07777) == 0600 && status.st_nlink == 1;
}

// What an interrupted save left may hold a password: nothing else ever removes it.
void removeLeftTemporaries(const std::string& folder, const std::string& prefix) {
    DIR* entries = opendir(folder.c_str());
    if (!entries) return;  // the save itself will say why
    while (const dirent* entry = readdir(entries))
        if (isLeftTemporary(dirfd(entries), entry->d_name, prefix))
            unlinkat(dirfd(entries), entry->d_name, 0);
    closedir(entries);
}

}  // namespace

int SaveCalls::createTemporary(char* pathTemplate) { return mkostemp(pathTemplate, O_CLOEXEC); }
int SaveCalls::makeOwnerOnly(int file) { return fchmod(file, S_IRUSR | S_IWUSR); }
ssize_t SaveCalls::write(int file, const char* bytes, size_t size) {
    return ::write(file, bytes, size);
}
int SaveCalls::syncData(int file) { return fdatasync(file); }
int SaveCalls::close(int file) { return ::close(file); }
int SaveCalls::rename(const char* from, const char* to) { return std::rename(from, to); }
int SaveCalls::syncFolder(const char* folder) {
    const int handle = open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0) return -1;
    const int synced = fsync(handle);
    const int error = errno;
    ::close(handle);
    errno = error;
    return synced;
}

std::optional<ReplaceFailure> PosixFileReplacer::replace(const std::u16string& path,
                                                         std::string_view bytes) {
    const std::string target = QFile::encodeName(QString::fromStdU16String(path)).toStdString();
    const std::size_t slash = target.rfind('/');
    const std::string start = target.substr(0, slash + 1);  // the folder and its '/', if any
    const std::string folder = start.empty() ? "." : start;
    const std::string prefix = target.substr(slash + 1) + kTemporaryInfix;
    removeLeftTemporaries(folder, prefix);

    std::string temporary = start + prefix + std::string(kRandomPart, 'X');
    const int file = calls_.createTemporary(temporary.data());
    if (file < 0) return failure(errno);

    int error = 0;
    // Before the first byte: a password file is for its owner only.
    if (calls_.makeOwnerOnly(file) != 0) error = errno;
    while (error == 0 && !bytes.empty()) {
        const ssize_t written = calls_.write(file, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) error = written < 0 ? errno : ENOSPC;
        if (written > 0) bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    // Not renamed over the earlier file unless the system says the bytes are on the disk.
    if (error == 0 && calls_.syncData(file) != 0) error = errno;
    if (calls_.close(file) != 0 && error == 0) error = errno;
    if (error == 0 && calls_.rename(temporary.c_str(), target.c_str()) != 0) error = errno;
    if (error != 0) {
        unlink(temporary.c_str());
        return failure(error);
    }
    // The rename itself is on the disk only once the folder is.
    if (calls_.syncFolder(folder.c_str()) != 0) return failure(errno, false);
    return std::nullopt;
}

}  // namespace quillop::files
