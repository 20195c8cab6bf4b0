#include "RegularFile.h"

#include <QFile>
#include <sys/stat.h>

bool regularOrAbsent(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    struct stat link {};
    if (::lstat(name.constData(), &link) != 0)
        return true;
    struct stat target {};
    return ::stat(name.constData(), &target) == 0 && S_ISREG(target.st_mode);
}
