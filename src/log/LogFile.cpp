#include "LogFile.h"

#include "AdiReader.h"
#include "AdxReader.h"
#include "EntityNumbers.h"
#include "SystemErrorText.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString openingProblem(int error) {
    switch (error) {
    case ENOENT:
        return QStringLiteral("fichier introuvable");
    case EACCES:
    case EPERM:
        return QStringLiteral("lecture non permise");
    default:
        return systemErrorText(error);
    }
}

// An ADX file starts with its XML declaration or its root element.
bool isAdx(int fd) {
    char start[64] = {};
    const ssize_t got = ::pread(fd, start, sizeof start, 0);
    QByteArrayView text(start, got > 0 ? got : 0);
    if (text.startsWith("\xEF\xBB\xBF"))
        text = text.sliced(3);
    text = text.trimmed();
    return text.startsWith("<?xml") || text.startsWith("<ADX") || text.startsWith("<adx");
}

bool sameTime(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

// Hands each piece of the file from `from` to `feed`; false when stopped.
template <typename Feed>
bool readPieces(int fd, off_t from, off_t size, const std::atomic<bool>& stop, Feed feed) {
    QByteArray piece(LogFile::PieceSize, Qt::Uninitialized);
    for (off_t at = from; at < size && !stop;) {
        const ssize_t got = ::pread(fd, piece.data(), std::size_t(piece.size()), at);
        if (got <= 0)
            break;
        feed(QByteArrayView(piece.constData(), got));
        at += got;
    }
    return !stop;
}

} // namespace

bool LogFile::setAccessProblem(const QString& problem) {
    const bool changed = problem != accessProblem_;
    accessProblem_ = problem;
    return changed;
}

bool LogFile::refresh(const EntityNumbers& entities, const std::atomic<bool>& stop) {
    // Never blocks on a FIFO put in the file's place.
    const int fd = ::open(QFile::encodeName(path_).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return setAccessProblem(openingProblem(errno));
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return setAccessProblem(QStringLiteral("pas un fichier ordinaire"));
    }
    const Seen now{status.st_dev, status.st_ino, status.st_size, status.st_mtim};
    const bool sameFile = seen_ && seen_->device == now.device && seen_->inode == now.inode;
    if (sameFile && seen_->size == now.size && sameTime(seen_->modified, now.modified)) {
        ::close(fd);
        return setAccessProblem(QString());
    }
    const bool adx = isAdx(fd);
    // Only a file that grew is read from where it was left.
    if (!sameFile || now.size <= seen_->size || adx) {
        wholeEnd_ = 0;
        wholeCount_ = 0;
        wholeUnreadable_ = 0;
    }
    contacts_.resize(wholeCount_);
    tailUnreadable_ = 0;
    accessProblem_.clear();
    contentProblem_.clear();
    if (adx)
        readAdx(fd, now.size, entities, stop);
    else
        readAdi(fd, now.size, entities, stop);
    ::close(fd);
    seen_ = now;
    return true;
}

void LogFile::readAdi(int fd, off_t size, const EntityNumbers& entities,
                      const std::atomic<bool>& stop) {
    AdiReader reader(
        [&](const AdifRecord& record) { contacts_.push_back(loggedContact(record, entities)); });
    readPieces(fd, wholeEnd_, size, stop, [&](QByteArrayView piece) { reader.feed(piece); });
    const int wholeUnreadable = reader.unreadable();
    const std::optional<AdifRecord> cut = reader.finish();
    wholeEnd_ += reader.wholeRecordsEnd();
    wholeCount_ = contacts_.size();
    wholeUnreadable_ += wholeUnreadable;
    tailUnreadable_ = reader.unreadable() - wholeUnreadable;
    if (cut)
        contacts_.push_back(loggedContact(*cut, entities));
}

void LogFile::readAdx(int fd, off_t size, const EntityNumbers& entities,
                      const std::atomic<bool>& stop) {
    AdxReader reader(
        [&](const AdifRecord& record) { contacts_.push_back(loggedContact(record, entities)); });
    readPieces(fd, 0, size, stop, [&](QByteArrayView piece) { reader.feed(piece); });
    contentProblem_ = reader.finish();
    wholeUnreadable_ = reader.unreadable();
}
