#include "PageScratchFiles.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace {

const QByteArray LineEnd = QByteArrayLiteral("\r\n");

bool writeWhole(QFile& file, const QByteArray& bytes) {
    const bool written = file.write(bytes) == bytes.size() && file.flush();
    file.close();
    return written && file.error() == QFileDevice::NoError;
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && writeWhole(file, bytes);
}

std::optional<QByteArray> readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

} // namespace

const QString PageScratchFiles::PageFile = QStringLiteral("Dedirad1.txt");
const QString PageScratchFiles::WorkFile = QStringLiteral("Temp1.txt");

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

bool PageScratchFiles::store(const QString& upperPage) {
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
    return storeIn(programDirectory_, pageBytes) || storeIn(fallbackDirectory_, pageBytes);
}

bool PageScratchFiles::storeIn(const QString& directory, const QByteArray& pageBytes) {
    if (directory.isEmpty() || !QDir().mkpath(directory))
        return false;
    folder_ = directory;
    if (!writeFile(path(PageFile), pageBytes))
        return false;

    const std::optional<QByteArray> stored = readFile(path(PageFile));
    if (!stored)
        return false;
    const qsizetype firstReturn = stored->indexOf('\r');
    QByteArray firstLine = firstReturn < 0 ? *stored : stored->left(firstReturn);
    firstLine.replace('\n', LineEnd);
    if (!writeFile(path(WorkFile), firstLine + LineEnd))
        return false;

    const bool copied = (!QFile::exists(path(PageFile)) || QFile::remove(path(PageFile))) &&
                        QFile::copy(path(WorkFile), path(PageFile));
    const bool deleted = QFile::remove(path(WorkFile));
    return copied && deleted;
}

std::optional<QString> PageScratchFiles::readPage() const {
    const std::optional<QByteArray> bytes = readFile(path(PageFile));
    if (!bytes)
        return std::nullopt;
    return QString::fromLatin1(*bytes);
}
