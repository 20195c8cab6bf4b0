#pragma once

#include <QByteArray>
#include <QString>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>

// True when nothing is at `path`, or a regular file once links are followed.
// A device, a FIFO or a dangling link there is never to be opened: writing
// would replace or feed the device, reading a FIFO would hang.
bool regularOrAbsent(const QString& path);
// A regular file is at `path`, once links are followed.
bool isRegularFile(const QString& path);

// A file opened only when it is a regular file: opening never waits for a
// FIFO's writer, and what was opened is checked, not the name, so a file
// swapped meanwhile is refused too. Closed with the object.
class RegularFile {
public:
    // `access`: O_RDONLY, or O_RDWR with O_CREAT, O_NOFOLLOW... for a lock.
    explicit RegularFile(const QString& path, int access = O_RDONLY);
    ~RegularFile();
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    // Opened, but no regular file.
    bool notRegular() const { return notRegular_; }
    int descriptor() const { return fd_; }
    const struct stat& status() const { return status_; }
    // What failed, as errno gave it, and the system's text of it.
    int error() const { return error_; }
    QString errorText() const;

    // Up to `limit` bytes from its start; nothing when reading fails.
    std::optional<QByteArray> read(qint64 limit);

private:
    int fd_ = -1;
    bool notRegular_ = false;
    int error_ = 0;
    struct stat status_ {};
};

// The first `limit` bytes of a regular file; nothing for anything else or
// when it cannot be opened.
std::optional<QByteArray> regularFileBytes(const QString& path, qint64 limit);
