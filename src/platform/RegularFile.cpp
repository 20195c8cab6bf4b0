#include "RegularFile.h"

#include <QFile>
#include <cerrno>
#include <unistd.h>

bool regularOrAbsent(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    struct stat link {};
    if (::lstat(name.constData(), &link) != 0)
        return true;
    return isRegularFile(path);
}

bool isRegularFile(const QString& path) {
    struct stat target {};
    return ::stat(QFile::encodeName(path).constData(), &target) == 0 && S_ISREG(target.st_mode);
}

RegularFile::RegularFile(const QString& path, int access) {
    const int fd =
        ::open(QFile::encodeName(path).constData(), access | O_NONBLOCK | O_CLOEXEC, 0644);
    if (fd < 0) {
        error_ = errno;
        return;
    }
    if (::fstat(fd, &status_) != 0 || !S_ISREG(status_.st_mode)) {
        notRegular_ = true;
        ::close(fd);
        return;
    }
    fd_ = fd;
}

RegularFile::~RegularFile() {
    if (fd_ >= 0)
        ::close(fd_);
}

QString RegularFile::errorText() const {
    return qt_error_string(error_);
}

std::optional<QByteArray> RegularFile::read(qint64 limit) {
    QByteArray bytes;
    char piece[65536];
    while (bytes.size() < limit) {
        const ssize_t got =
            ::pread(fd_, piece, std::size_t(std::min<qint64>(sizeof piece, limit - bytes.size())),
                    bytes.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            error_ = errno;
            return std::nullopt;
        }
        if (got == 0)
            break;
        bytes.append(piece, got);
    }
    return bytes;
}

std::optional<QByteArray> regularFileBytes(const QString& path, qint64 limit) {
    if (!isRegularFile(path))
        return std::nullopt;
    RegularFile file(path);
    if (!file.isOpen())
        return std::nullopt;
    return file.read(limit).value_or(QByteArray());
}
