#include "program_folder.h"

#include <QCoreApplication>
#include <QDir>

namespace quillop::files {

std::u16string programFolder() {
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath()).toStdU16String();
}

}  // namespace quillop::files
