#include "PageScratchFiles.h"

#include "RegularFile.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QThread>
#include <limits>
#include <memory>
#include <sys/file.h>

namespace {

const QByteArray LineEnd = QByteArrayLiteral("\r\n");
// Another copy holds the lock for the few milliseconds of its own store.
constexpr int LockAttempts = 200;
constexpr unsigned long LockRetryMs = 10;

bool writeWhole(QFile& file, const QByteArray& bytes) {
    const bool written = file.write(bytes) == bytes.size() && file.flush();
    file.close();
    return written && file.error() == QFileDevice::NoError;
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return regularOrAbsent(path) && file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           writeWhole(file, bytes);
}

// A new file that nobody else can open while it exists.
bool writePrivateFile(const QString& path, const QByteArray& bytes) {
    QFile::remove(path);
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                     QFileDevice::ReadOwner | QFileDevice::WriteOwner) &&
           writeWhole(file, bytes);
}

std::optional<QByteArray> readFile(const QString& path) {
    if (!regularOrAbsent(path))
        return std::nullopt;
    RegularFile file(path);
    return file.isOpen() ? file.read(std::numeric_limits<qint64>::max()) : std::nullopt;
}

// An exclusive flock on a file of the folder, given up after two seconds.
class FolderLock {
public:
    explicit FolderLock(const QString& path) {
        if (!regularOrAbsent(path))
            return;
        file_ = std::make_unique<RegularFile>(path, O_RDWR | O_CREAT | O_NOFOLLOW);
        for (int attempt = 0; file_->isOpen() && attempt < LockAttempts; ++attempt) {
            if (::flock(file_->descriptor(), LOCK_EX | LOCK_NB) == 0) {
                held_ = true;
                return;
            }
            QThread::msleep(LockRetryMs);
        }
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    bool held() const { return held_; }

private:
    std::unique_ptr<RegularFile> file_; // closing it releases the lock
    bool held_ = false;
};

} // namespace

const QString PageScratchFiles::PageFile = QStringLiteral("Dedirad1.txt");
const QString PageScratchFiles::WorkFile = QStringLiteral("Temp1.txt");
const QString PageScratchFiles::LockFile = QStringLiteral("Dedirad1.lock");

PageScratchFiles::PageScratchFiles(QString programDirectory, QString fallbackDirectory)
    : programDirectory_(std::move(programDirectory)),
      fallbackDirectory_(std::move(fallbackDirectory)) {}

QString PageScratchFiles::userFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
}

QString PageScratchFiles::capitals(const QString& page) {
    QString upper = page;
    for (QChar& c : upper) {
        const QChar capital = c.toUpper();
        if (capital.unicode() <= 0xFF || c.unicode() > 0xFF)
            c = capital;
    }
    return upper;
}

QString PageScratchFiles::path(const QString& name) const {
    return QDir(folder_).filePath(name);
}

std::optional<QString> PageScratchFiles::keep(const QString& upperPage) {
    // The conversion below keeps the text up to the first carriage return
    // only, so a page written with carriage returns, alone or before line
    // feeds, first gets line feeds alone; otherwise it would show nothing.
    QString page = upperPage;
    if (page.contains(u'\r')) {
        page.replace(QLatin1StringView("\r\n"), QLatin1StringView("\n"));
        page.replace(u'\r', u'\n');
    }
    // One byte per character: what Latin-1 cannot hold becomes "?".
    const QByteArray pageBytes = page.toLatin1() + LineEnd;
    if (std::optional<QString> kept = keepIn(programDirectory_, pageBytes))
        return kept;
    return keepIn(fallbackDirectory_, pageBytes);
}

std::optional<QString> PageScratchFiles::keepIn(const QString& directory,
                                                const QByteArray& pageBytes) {
    if (directory.isEmpty() || !QDir().mkpath(directory))
        return std::nullopt;
    folder_ = directory;
    const FolderLock lock(path(LockFile));
    if (!lock.held() || !writeFile(path(PageFile), pageBytes))
        return std::nullopt;

    const std::optional<QByteArray> stored = readFile(path(PageFile));
    if (!stored)
        return std::nullopt;
    const qsizetype firstReturn = stored->indexOf('\r');
    QByteArray normalised = firstReturn < 0 ? *stored : stored->left(firstReturn);
    normalised.replace('\n', LineEnd);
    normalised += LineEnd;
    // The work copy is written, then copied over the page file.
    const bool copied =
        writePrivateFile(path(WorkFile), normalised) && writeFile(path(PageFile), normalised);
    const bool deleted = QFile::remove(path(WorkFile));
    if (!copied || !deleted)
        return std::nullopt;

    const std::optional<QByteArray> page = readFile(path(PageFile));
    if (!page)
        return std::nullopt;
    return QString::fromLatin1(*page);
}
