#include "CountryDataFiles.h"

#include "CountryDataLines.h"
#include "PrefixFileLayout.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

namespace {

// As the lookup reads them: one line per record, each ended by CR LF.
QByteArray fileOf(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += (line + QStringLiteral("\r\n")).toUtf8();
    return bytes;
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
        QFile file(aside.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() ||
            !file.flush())
            return QStringLiteral("écriture de %1 impossible (%2)").arg(name, file.errorString());
    }
    for (const auto& [name, content] : files_) {
        if (std::rename(QFile::encodeName(aside.filePath(name)).constData(),
                        QFile::encodeName(QDir(folder).filePath(name)).constData()) != 0)
            return QStringLiteral("écriture de %1 impossible").arg(name);
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
        return problems.size() == 1 ? problems.front()
                                    : QStringLiteral("%1 (et %2 autres erreurs)")
                                          .arg(problems.front())
                                          .arg(problems.size() - 1);
    }
    if (file.entities.isEmpty())
        return QStringLiteral("aucune entité dans le fichier");
    return QString();
}
