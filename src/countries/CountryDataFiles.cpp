#include "CountryDataFiles.h"

#include "CountryDataLines.h"
#include "PrefixFileLayout.h"
#include "RegularFile.h"
#include "SystemErrorText.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

// As the lookup reads them: one line per record, each ended by CR LF.
QByteArray fileOf(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += (line + QStringLiteral("\r\n")).toUtf8();
    return bytes;
}

// Writes `content` into a new file at `path`; the system's error number when
// it cannot, 0 when it could. QFile takes a short write on a full disk for
// success and leaves no reason.
int writeNew(const QString& path, const QByteArray& content) {
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return errno;
    for (qsizetype done = 0; done < content.size();) {
        const ssize_t wrote =
            ::write(fd, content.constData() + done, size_t(content.size() - done));
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0) {
            const int error = wrote < 0 ? errno : EIO;
            ::close(fd);
            return error;
        }
        done += wrote;
    }
    return ::close(fd) == 0 ? 0 : errno;
}

QString readText(const QString& path, QStringList& problems) {
    const std::optional<QByteArray> bytes = regularFileBytes(path, LargestCountryFile);
    if (!bytes)
        problems.append(QStringLiteral("%1 illisible").arg(path));
    return QString::fromUtf8(bytes.value_or(QByteArray()));
}

} // namespace

CountryDataFiles CountryDataFiles::made(const CountryFile& file, const CountryVersion& version) {
    using namespace PrefixFileLayout;
    CountryDataFiles files;
    const QStringList prefixes = prefixFileLines(file.entries);
    files.prefixCount_ = int(prefixes.size());
    files.files_ = {
        {EntityNumbersFileName, fileOf(entityNumberLines(file.entities))},
        {ExactCallsFileName, fileOf(exactCallLines(file.entries))},
        {FileName, fileOf(prefixes)},
        {CountryVersion::FileName, version.fileText()},
    };
    return files;
}

QByteArray CountryDataFiles::bytes(const QString& name) const {
    for (const auto& [each, content] : files_) {
        if (each == name)
            return content;
    }
    return QByteArray();
}

std::optional<QString> CountryDataFiles::write(const QString& folder) const {
    if (!QDir().mkpath(folder))
        return QStringLiteral("dossier %1 impossible à créer").arg(folder);
    // All are written aside first: a full disk leaves the copy as it was.
    QTemporaryDir aside(QDir(folder).filePath(QStringLiteral(".ecriture-XXXXXX")));
    if (!aside.isValid())
        return QStringLiteral("écriture impossible dans %1").arg(folder);
    for (const auto& [name, content] : files_) {
        if (const int error = writeNew(aside.filePath(name), content); error != 0)
            return QStringLiteral("écriture de %1 impossible (%2)")
                .arg(name, systemErrorText(error));
    }
    for (const auto& [name, content] : files_) {
        if (std::rename(QFile::encodeName(aside.filePath(name)).constData(),
                        QFile::encodeName(QDir(folder).filePath(name)).constData()) != 0)
            return QStringLiteral("écriture de %1 impossible (%2)")
                .arg(name, systemErrorText(errno));
    }
    return std::nullopt;
}

CountryFile readCtyFiles(const QString& datPath, const QString& csvPath, QStringList& problems) {
    CountryFile file = readCtyDat(readText(datPath, problems), problems);
    QStringList csvProblems;
    const CountryFile numbered = readCtyCsv(readText(csvPath, problems), csvProblems);
    for (const QString& problem : csvProblems)
        problems.append(QStringLiteral("cty.csv : ") + problem);
    takeEntityNumbers(file, numbered, problems);
    return file;
}

QString unusableReason(const CountryFile& file, const QStringList& problems) {
    if (!problems.isEmpty()) {
        if (problems.size() == 1)
            return problems.front();
        return problems.size() == 2 ? QStringLiteral("%1 (et 1 autre erreur)").arg(problems.front())
                                    : QStringLiteral("%1 (et %2 autres erreurs)")
                                          .arg(problems.front())
                                          .arg(problems.size() - 1);
    }
    if (file.entities.isEmpty())
        return QStringLiteral("aucune entité dans le fichier");
    return QString();
}
