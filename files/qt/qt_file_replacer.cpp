#include "qt_file_replacer.h"

#include <QSaveFile>
#include <QString>
#include <cerrno>
#include <cstring>

namespace quillop::files {

std::optional<std::u16string> QtFileReplacer::replace(const std::u16string& path,
                                                      std::string_view bytes) {
    QSaveFile file(QString::fromStdU16String(path));
    if (!file.open(QIODevice::WriteOnly)) return file.errorString().toStdU16String();

    // Before the first byte: a password file is for its owner only, new or replaced.
    if (!file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason.toStdU16String();
    }
    // commit() would rename a cut-off file over the old one (disk full, size
    // limit), so every byte must be accounted for before it is called.
    const auto size = static_cast<qint64>(bytes.size());
    errno = 0;
    if (file.write(bytes.data(), size) != size || !file.flush()) {
        // Qt reports a short write as "Unknown error"; the system says why.
        const int systemError = errno;
        QString reason = systemError != 0 ? QString::fromLocal8Bit(std::strerror(systemError))
                                          : file.errorString();
        file.cancelWriting();
        return reason.toStdU16String();
    }
    if (!file.commit()) return file.errorString().toStdU16String();
    return std::nullopt;
}

}  // namespace quillop::files
