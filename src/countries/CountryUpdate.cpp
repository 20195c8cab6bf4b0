#include "CountryUpdate.h"

#include "CountryDataFiles.h"
#include "FrenchNumber.h"
#include "HttpClient.h"
#include "PrefixFileLayout.h"
#include "RegularFile.h"
#include "SystemErrorText.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QStandardPaths>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <unistd.h>

namespace {

// The time of the last attempt at the site, kept beside the user's copy.
const QString AttemptFileName = QStringLiteral("Essai_Pays.txt");
const QString LockFileName = QStringLiteral("Pays.lock");
constexpr int DaysBeforeSiteUpdate = 30;
// A copy of the program holds the lock for the writing of four files at most.
constexpr int LockWaitMs = 10000;
// How often a wait for the lock looks whether the update was stopped.
constexpr int LockStepMs = 100;

const QStringList CopyFiles{PrefixFileLayout::FileName, PrefixFileLayout::ExactCallsFileName,
                            PrefixFileLayout::EntityNumbersFileName, CountryVersion::FileName};

bool whole(const QString& folder) {
    for (const QString& name : CopyFiles) {
        if (!isRegularFile(QDir(folder).filePath(name)))
            return false;
    }
    return true;
}

// A version over a year ahead of today is no real one: taken, it would make
// every later file look older.
bool farAhead(const QDate& version) {
    return version > QDate::currentDate().addYears(1);
}

CountryUpdateResult failed(const QString& reason) {
    CountryUpdateResult result;
    result.reason = reason;
    return result;
}

// What a copy holds.
struct Counts {
    int entities = 0;
    int prefixes = 0;
    int exactCalls = 0;
};

int lineCount(const QString& folder, const QString& name) {
    return int(regularFileBytes(QDir(folder).filePath(name), LargestCountryFile)
                   .value_or(QByteArray())
                   .count('\n'));
}

Counts countsIn(const QString& folder) {
    return {lineCount(folder, PrefixFileLayout::EntityNumbersFileName),
            lineCount(folder, PrefixFileLayout::FileName),
            lineCount(folder, PrefixFileLayout::ExactCallsFileName)};
}

Counts countsOf(const CountryFile& file) {
    Counts counts;
    counts.entities = int(file.entities.size());
    for (const PrefixEntry& entry : file.entries)
        ++(entry.exactCall ? counts.exactCalls : counts.prefixes);
    return counts;
}

Counts larger(const Counts& a, const Counts& b) {
    return {std::max(a.entities, b.entities), std::max(a.prefixes, b.prefixes),
            std::max(a.exactCalls, b.exactCalls)};
}

// Why `counts` are not those of a genuine country file, in French; empty when
// they are. A download cut between two lines reads well but has lost
// entities: fewer than nine tenths of `least`'s is a cut file. A forged or
// amplified file has far more of anything, and would fill the disk and the
// memory of every lookup: over twice `most`'s is a suspect one. Prefixes and
// exact calls have no lower bound: the site's flavours of the file hold from
// a few thousand exact calls to near twenty thousand.
QString strayReason(const Counts& counts, const Counts& least, const Counts& most) {
    struct Bound {
        int Counts::*count;
        const char16_t* what;
        bool fewerSuspect;
    };
    constexpr Bound Bounds[] = {
        {&Counts::entities, u"entités", true},
        {&Counts::prefixes, u"préfixes", false},
        {&Counts::exactCalls, u"indicatifs exacts", false},
    };
    const auto numbers = [&](int Counts::*count, const char16_t* what, const Counts& reference) {
        return QStringLiteral("%1 %2 au lieu de %3")
            .arg(frenchNumber(counts.*count), QString::fromUtf16(what),
                 frenchNumber(reference.*count));
    };
    // A copy without the file (a count of 0) bounds nothing.
    for (const auto& [count, what, fewerSuspect] : Bounds) {
        if (fewerSuspect && counts.*count < least.*count * 9 / 10)
            return QStringLiteral("fichier incomplet (%1)").arg(numbers(count, what, least));
        if (most.*count > 0 && counts.*count > most.*count * 2)
            return QStringLiteral("fichier suspect (%1)").arg(numbers(count, what, most));
    }
    return QString();
}

// Why a file of these counts cannot replace the copy in use, in French; empty
// when it can. It is held against the copy in use and the program's own, or
// the program's alone when the copy in use strays from it (an earlier version
// let it in).
QString strayFromCopies(const Counts& counts, const CountryFolders& folders) {
    const Counts built = countsIn(folders.program);
    const QString inUse = folders.inUse();
    Counts mine = inUse == folders.program ? built : countsIn(inUse);
    if (!strayReason(mine, built, built).isEmpty())
        mine = built;
    return strayReason(counts, mine, larger(mine, built));
}

// Why `file`, read with these problems, cannot replace the copy in use, in
// French; empty when it can.
QString refusal(const CountryFile& file, const QStringList& problems,
                const CountryFolders& folders) {
    if (const QString reason = unusableReason(file, problems); !reason.isEmpty())
        return reason;
    if (const QString reason = strayFromCopies(countsOf(file), folders); !reason.isEmpty())
        return reason;
    if (!file.version.isValid())
        return QStringLiteral("fichier sans version (=VER)");
    if (farAhead(file.version))
        return QStringLiteral("fichier daté du %1, dans plus d'un an")
            .arg(CountryVersion::frenchDate(file.version));
    return QString();
}

// Why the user's folder cannot take a copy, in French; empty when it can.
QString unwritableReason(const QString& folder) {
    QDir().mkpath(folder);
    if (::faccessat(AT_FDCWD, QFile::encodeName(folder).constData(), W_OK, AT_EACCESS) == 0)
        return QString();
    return QStringLiteral("écriture impossible dans le dossier %1 (%2)")
        .arg(folder, systemErrorText(errno));
}

// Takes the lock another copy of the program may hold, waiting for it
// LockWaitMs at most and not at all once `cancelled`; why not, in French.
QString takeLock(QLockFile& lock, const QString& path, const std::atomic<bool>& cancelled) {
    // QLockFile reads a lock it cannot take: a FIFO there would hang it, a
    // device feed it without end.
    if (!regularOrAbsent(path))
        return QStringLiteral("le verrou %1 n'est pas un fichier ordinaire").arg(path);
    const QDeadlineTimer deadline(LockWaitMs);
    while (!lock.tryLock(LockStepMs)) {
        if (lock.error() != QLockFile::LockFailedError)
            return QStringLiteral("verrou %1 impossible à créer").arg(path);
        if (cancelled)
            return QStringLiteral("abandonné");
        if (deadline.hasExpired())
            return QStringLiteral("une autre copie du programme met les pays à jour");
    }
    return QString();
}

// Writes the user's copy unless the copy in use is as new, under the lock
// another copy of the program may hold.
CountryUpdateResult install(const CountryFolders& folders, const CountryFile& file,
                            const CountryVersion& version, const std::atomic<bool>& cancelled) {
    if (const QString reason = unwritableReason(folders.user); !reason.isEmpty())
        return failed(reason);
    const QString lockPath = QDir(folders.user).filePath(LockFileName);
    QLockFile lock(lockPath);
    if (const QString reason = takeLock(lock, lockPath, cancelled); !reason.isEmpty())
        return failed(reason);
    CountryUpdateResult result;
    result.version = CountryVersion::read(folders.inUse());
    if (result.version.date.isValid() && version.date <= result.version.date) {
        result.kind = CountryUpdateResult::Kind::Current;
        return result;
    }
    const CountryDataFiles files = CountryDataFiles::made(file, version);
    if (const std::optional<QString> problem = files.write(folders.user))
        return failed(*problem);
    result.kind = CountryUpdateResult::Kind::Updated;
    result.version = version;
    result.prefixes = files.prefixCount();
    return result;
}

// The "=VER20261202" entry of a country file, without reading all of it.
QDate versionOf(const QString& path) {
    const QByteArray text = regularFileBytes(path, LargestCountryFile).value_or(QByteArray());
    for (qsizetype at = text.indexOf("=VER"); at >= 0; at = text.indexOf("=VER", at + 1)) {
        const QDate date =
            QDate::fromString(QString::fromLatin1(text.mid(at + 4, 8)), QStringLiteral("yyyyMMdd"));
        if (date.isValid())
            return date;
    }
    return QDate();
}

} // namespace

CountryFolders CountryFolders::standard(const QString& programFolder) {
    return {programFolder,
            QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
                .filePath(QStringLiteral("Pelk_Dedirad")),
            QStringLiteral("/usr/share/hamradio-files")};
}

QString CountryFolders::inUse() const {
    if (!whole(user))
        return program;
    const QDate mine = CountryVersion::read(user).date;
    const QDate built = CountryVersion::read(program).date;
    return mine.isValid() && !farAhead(mine) && (!built.isValid() || mine > built) ? user : program;
}

QString CountryUpdateResult::message() const {
    switch (kind) {
    case Kind::Updated:
        return QStringLiteral("Pays mis à jour : %1 (%2 préfixes)")
            .arg(version.versionText(), frenchNumber(prefixes));
    case Kind::Current:
        return QStringLiteral("Pays déjà à jour : %1").arg(version.versionText());
    case Kind::Failed:
        break;
    }
    return QStringLiteral("Mise à jour des pays impossible : %1").arg(reason);
}

CountryUpdateResult updateFromSite(HttpClient& http, const QString& site,
                                   const CountryFolders& folders,
                                   const std::atomic<bool>& cancelled) {
    const HttpClient::Download answer =
        http.download(site, std::size_t(LargestCountryFile), cancelled);
    if (!answer.failure.isEmpty())
        return failed(answer.failure);
    const QString text = QString::fromUtf8(answer.body);
    if (text.trimmed().startsWith(QLatin1Char('<')))
        return failed(QStringLiteral("le site a répondu par une page web, pas par cty.csv"));
    QStringList problems;
    const CountryFile file = readCtyCsv(text, problems);
    if (const QString reason = refusal(file, problems, folders); !reason.isEmpty())
        return failed(reason);
    return install(folders, file, {file.version, CountryVersion::Origin::Site, site}, cancelled);
}

CountryUpdateResult updateFromDebian(const CountryFolders& folders,
                                     const std::atomic<bool>& cancelled) {
    const QString dat = QDir(folders.debian).filePath(QStringLiteral("cty.dat"));
    const QDate debian = versionOf(dat);
    CountryUpdateResult result;
    result.kind = CountryUpdateResult::Kind::Current;
    result.version = CountryVersion::read(folders.inUse());
    if (!debian.isValid() || (result.version.date.isValid() && debian <= result.version.date))
        return result;
    QStringList problems;
    const CountryFile file =
        readCtyFiles(dat, QDir(folders.debian).filePath(QStringLiteral("cty.csv")), problems);
    if (const QString reason = refusal(file, problems, folders); !reason.isEmpty())
        return failed(reason);
    return install(folders, file, {file.version, CountryVersion::Origin::Debian, dat}, cancelled);
}

bool siteUpdateDue(const CountryFolders& folders, const QDateTime& now) {
    const QDate version = CountryVersion::read(folders.inUse()).date;
    if (version.isValid() && version.daysTo(now.date()) <= DaysBeforeSiteUpdate)
        return false;
    const std::optional<QByteArray> attempt =
        regularFileBytes(QDir(folders.user).filePath(AttemptFileName), 64);
    if (!attempt)
        return true;
    const QDateTime last =
        QDateTime::fromString(QString::fromLatin1(*attempt).trimmed(), Qt::ISODate);
    // A clock set back makes the last attempt look ahead: it counts as old.
    return !last.isValid() || last > now || last.secsTo(now) >= 24 * 3600;
}

void noteSiteAttempt(const CountryFolders& folders, const QDateTime& now) {
    QDir().mkpath(folders.user);
    const QString path = QDir(folders.user).filePath(AttemptFileName);
    // Opening a FIFO to write would wait for a reader.
    if (!regularOrAbsent(path))
        return;
    QFile attempt(path);
    if (attempt.open(QIODevice::WriteOnly | QIODevice::Truncate))
        attempt.write(now.toUTC().toString(Qt::ISODate).toLatin1() + '\n');
}
