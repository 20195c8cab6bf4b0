#include "LogBook.h"

#include "FrenchNumber.h"
#include "LogFile.h"

#include <QDir>
#include <QFileInfo>

namespace {

// A change the watcher misses (a file that appears) is seen by this poll.
constexpr int PollMs = 1000;

std::uint8_t countedConfirmations(const QStringList& confirmations) {
    std::uint8_t counted = 0;
    for (const QString& which : confirmations) {
        counted |= which == QLatin1String("qsl")    ? PaperQsl
                   : which == QLatin1String("lotw") ? Lotw
                   : which == QLatin1String("eqsl") ? Eqsl
                                                    : 0;
    }
    return counted;
}

} // namespace

NeededStatus LogSnapshot::statusOfSpot(QStringView callsign, double khz, QStringView remark) const {
    if (!hasLog || !entities)
        return NeededStatus::None;
    const int entity = entities->ofCall(callsign);
    const std::optional<int> band = bandOfKhz(khz);
    if (entity == 0 || !band)
        return NeededStatus::None;
    return index.status(entity, *band, spotModeGroup(khz, remark));
}

LogBook::LogBook(QString countryFolder, QObject* parent)
    : QObject(parent), countryFolder_(std::move(countryFolder)),
      readingCountryFolder_(countryFolder_) {
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

QStringList LogBook::paths(const QString& files) {
    QStringList paths;
    for (const QString& part : files.split(QLatin1Char(';'))) {
        const QString path = part.trimmed();
        if (path.startsWith(QLatin1String("~/")))
            paths.append(QDir::homePath() + path.mid(1));
        else if (!path.isEmpty())
            paths.append(path);
    }
    return paths;
}

void LogBook::setLog(const QString& files, const QStringList& confirmations) {
    const QStringList paths = LogBook::paths(files);
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

void LogBook::setCountryFolder(const QString& folder) {
    if (folder == countryFolder_)
        return;
    countryFolder_ = folder;
    if (!thread_.isRunning()) {
        readingCountryFolder_ = folder;
        return;
    }
    QMetaObject::invokeMethod(
        reader_,
        [this, folder] {
            readingCountryFolder_ = folder;
            entities_ = std::make_shared<const EntityNumbers>(EntityNumbers::load(folder));
            for (std::unique_ptr<LogFile>& file : files_)
                file = std::make_unique<LogFile>(file->path());
            readChanges();
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
    if (!entities_ && !files_.empty())
        entities_ =
            std::make_shared<const EntityNumbers>(EntityNumbers::load(readingCountryFolder_));
    bool anyChanged = files_.empty();
    for (const std::unique_ptr<LogFile>& file : files_)
        anyChanged = file->refresh(*entities_, stopping_) || anyChanged;
    if (!anyChanged || stopping_)
        return;

    auto snapshot = std::make_shared<LogSnapshot>();
    snapshot->hasLog = !files_.empty();
    snapshot->entities = entities_;
    snapshot->index = WorkedIndex(readingCounted_);
    int unreadable = 0;
    QStringList problems;
    for (const std::unique_ptr<LogFile>& file : files_) {
        for (const LoggedContact& contact : file->contacts())
            snapshot->index.add(contact);
        unreadable += file->unreadable();
        if (const QString problem = file->problem(); !problem.isEmpty())
            problems.append(
                QStringLiteral("Journal illisible : %1 (%2)").arg(file->path(), problem));
    }
    QStringList parts;
    if (problems.size() < int(files_.size()) || snapshot->index.contacts() > 0)
        parts.append(QStringLiteral("Journal : %1 QSO, %2 entités dont %3 confirmées")
                         .arg(frenchNumber(snapshot->index.contacts()),
                              frenchNumber(snapshot->index.entities()),
                              frenchNumber(snapshot->index.confirmedEntities())));
    parts += problems;
    if (unreadable == 1)
        parts.append(QStringLiteral("1 enregistrement illisible ignoré"));
    else if (unreadable > 1)
        parts.append(
            QStringLiteral("%1 enregistrements illisibles ignorés").arg(frenchNumber(unreadable)));
    snapshot->status = snapshot->hasLog ? parts.join(QStringLiteral(" ; ")) : QString();

    QMetaObject::invokeMethod(
        this,
        [this, snapshot] {
            snapshot_ = snapshot;
            emit changed();
        },
        Qt::QueuedConnection);
}
