#include "LogBook.h"

#include "AdiReader.h"
#include "ConfigurationKeys.h"
#include "FrenchNumber.h"
#include "LogFile.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <array>
#include <sys/stat.h>

namespace {

// A change the watcher misses (a file that appears) is seen by this poll.
constexpr int PollMs = 1000;

std::uint8_t countedConfirmations(const QStringList& confirmations) {
    std::uint8_t counted = 0;
    // In the order of the key's words.
    constexpr std::array<std::uint8_t, 3> Flags{PaperQsl, Lotw, Eqsl};
    for (const QString& which : confirmations) {
        for (std::size_t i = 0; i < Flags.size(); ++i) {
            if (which == QLatin1String(ConfigWords::Confirmations[i].word))
                counted |= Flags[i];
        }
    }
    return counted;
}

// "0 entité", "1 entité", "2 entités": French takes the singular below two.
QString counting(int count, const char* one, const char* many) {
    return frenchNumber(count) + QLatin1Char(' ') + QString::fromUtf8(count < 2 ? one : many);
}

} // namespace

NeededStatus LogSnapshot::statusOf(QStringView callsign, double khz, ModeGroup mode) const {
    if (!hasLog || !countries)
        return NeededStatus::None;
    const int entity = countries->entityOf(callsign);
    const std::optional<int> band = amateurBandOfKhz(khz);
    if (entity == 0 || !band)
        return NeededStatus::None;
    return index.status(entity, *band, mode);
}

NeededStatus LogSnapshot::statusOfSpot(const Spot& spot) const {
    const double khz = spot.kHz();
    return statusOf(QStringView(spot.call).trimmed(), khz, spotModeGroup(khz, spot.remark));
}

LogBook::LogBook(std::shared_ptr<const CountryTable> countries, QObject* parent)
    : QObject(parent), countries_(std::move(countries)) {
    reader_ = new QObject;
    reader_->moveToThread(&thread_);
    thread_.setObjectName(QStringLiteral("log reader"));
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &LogBook::refreshSoon);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &LogBook::refreshSoon);
    poll_.setInterval(PollMs);
    connect(&poll_, &QTimer::timeout, this, &LogBook::refreshSoon);
}

LogBook::~LogBook() {
    stopping_ = true;
    thread_.quit();
    thread_.wait();
    delete reader_;
}

void LogBook::setLog(const QStringList& files, const QStringList& confirmations) {
    QStringList paths;
    for (const QString& file : files) {
        const QString path = QDir::cleanPath(QDir().absoluteFilePath(
            file.startsWith(QLatin1String("~/")) ? QDir::homePath() + file.mid(1) : file));
        if (!paths.contains(path))
            paths.append(path);
    }
    const std::uint8_t counted = countedConfirmations(confirmations);
    // Without a log, and none before, there is nothing to read or forget;
    // the same log again (other settings saved) is not read again.
    if ((paths.isEmpty() && !thread_.isRunning()) || (paths == paths_ && counted == counted_))
        return;
    if (!thread_.isRunning())
        thread_.start(QThread::LowPriority);
    paths_ = paths;
    counted_ = counted;
    QMetaObject::invokeMethod(
        reader_,
        [this, paths, counted] {
            files_.clear();
            for (const QString& path : paths)
                files_.push_back(std::make_unique<LogFile>(path));
            readingCounted_ = counted;
            readChanges();
        },
        Qt::QueuedConnection);
    watch();
    if (paths.isEmpty())
        poll_.stop();
    else
        poll_.start();
}

void LogBook::setCountries(std::shared_ptr<const CountryTable> countries) {
    if (!thread_.isRunning()) {
        countries_ = std::move(countries);
        return;
    }
    QMetaObject::invokeMethod(
        reader_,
        [this, countries = std::move(countries)] {
            countries_ = countries;
            for (std::unique_ptr<LogFile>& file : files_)
                file = std::make_unique<LogFile>(file->path());
            readChanges();
        },
        Qt::QueuedConnection);
}

void LogBook::addLoggedElsewhere(const QByteArray& adif) {
    std::vector<AdifRecord> records;
    AdiReader reader([&records](const AdifRecord& record) { records.push_back(record); });
    reader.feed(adif);
    if (std::optional<AdifRecord> last = reader.finish())
        records.push_back(std::move(*last));
    if (records.empty())
        return;
    QMetaObject::invokeMethod(
        reader_,
        [this, records = std::move(records)] {
            // A session logs far fewer; more is a flood, not contacts.
            const std::size_t room =
                MostLoggedElsewhere - std::min(MostLoggedElsewhere, loggedElsewhere_.size());
            loggedElsewhere_.insert(loggedElsewhere_.end(), records.begin(),
                                    records.begin() +
                                        std::ptrdiff_t(std::min(room, records.size())));
            loggedElsewhereChanged_ = true;
            // Many contacts logged at once make one new snapshot.
            queueReading();
        },
        Qt::QueuedConnection);
}

void LogBook::watch() {
    if (!watcher_.files().isEmpty())
        watcher_.removePaths(watcher_.files());
    if (!watcher_.directories().isEmpty())
        watcher_.removePaths(watcher_.directories());
    for (const QString& path : paths_) {
        // A logger that writes a new file and renames it changes the folder.
        watcher_.addPath(QFileInfo(path).absolutePath());
        if (QFileInfo::exists(path))
            watcher_.addPath(path);
    }
}

void LogBook::refreshSoon() {
    // A replaced file is no longer watched: watch its successor.
    for (const QString& path : paths_) {
        if (!watcher_.files().contains(path) && QFileInfo::exists(path))
            watcher_.addPath(path);
    }
    queueReading();
}

void LogBook::queueReading() {
    if (refreshQueued_.exchange(true))
        return;
    QMetaObject::invokeMethod(
        reader_,
        [this] {
            refreshQueued_ = false;
            readChanges();
        },
        Qt::QueuedConnection);
}

void LogBook::readChanges() {
    bool anyChanged = files_.empty();
    // The same file under two names (a link, "../") is read once.
    std::vector<std::pair<dev_t, ino_t>> read;
    std::vector<const LogFile*> counted;
    for (const std::unique_ptr<LogFile>& file : files_) {
        struct stat status {};
        if (::stat(QFile::encodeName(file->path()).constData(), &status) == 0) {
            const std::pair identity{status.st_dev, status.st_ino};
            if (std::find(read.begin(), read.end(), identity) != read.end())
                continue;
            read.push_back(identity);
        }
        anyChanged = file->refresh(*countries_, stopping_) || anyChanged;
        counted.push_back(file.get());
    }
    anyChanged = anyChanged || counted.size() != countedFiles_ || loggedElsewhereChanged_;
    countedFiles_ = counted.size();
    loggedElsewhereChanged_ = false;
    if (!anyChanged || stopping_)
        return;

    auto snapshot = std::make_shared<LogSnapshot>();
    snapshot->hasLog = !files_.empty();
    snapshot->countries = countries_;
    snapshot->index = WorkedIndex(readingCounted_);
    int unreadable = 0;
    QStringList problems;
    for (const LogFile* file : counted) {
        for (const LoggedContact& contact : file->contacts())
            snapshot->index.add(contact);
        unreadable += file->unreadable();
        if (const QString problem = file->problem(); !problem.isEmpty())
            problems.append(
                QStringLiteral("Journal illisible : %1 (%2)").arg(file->path(), problem));
    }
    QStringList parts;
    if (problems.size() < int(counted.size()) || snapshot->index.contacts() > 0)
        parts.append(
            QStringLiteral("Journal : %1 QSO, %2 dont %3")
                .arg(frenchNumber(snapshot->index.contacts()),
                     counting(snapshot->index.entities(), "entité", "entités"),
                     counting(snapshot->index.confirmedEntities(), "confirmée", "confirmées")));
    parts += problems;
    if (unreadable > 0)
        parts.append(counting(unreadable, "enregistrement illisible ignoré",
                              "enregistrements illisibles ignorés"));
    snapshot->status = snapshot->hasLog ? parts.join(QStringLiteral(" ; ")) : QString();
    for (const AdifRecord& record : loggedElsewhere_)
        snapshot->index.add(loggedContact(record, *countries_));

    QMetaObject::invokeMethod(
        this,
        [this, snapshot] {
            snapshot_ = snapshot;
            emit changed();
        },
        Qt::QueuedConnection);
}
