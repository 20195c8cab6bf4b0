#pragma once

#include "AdifRecord.h"
#include "CountryTable.h"
#include "NeededStatus.h"
#include "Spot.h"
#include "WorkedIndex.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <memory>

class LogFile;

// What the log said when it was last read: enough to mark every spot.
struct LogSnapshot {
    bool hasLog = false;
    std::shared_ptr<const CountryTable> countries;
    WorkedIndex index;
    // The status line's text: what was read, or why nothing was.
    QString status;

    // What a contact with this station, on this frequency and in this mode
    // group, would bring.
    NeededStatus statusOf(QStringView callsign, double khz, ModeGroup mode) const;
    // A spot's: its call and frequency, its mode group by the band plan's
    // rule.
    NeededStatus statusOfSpot(const Spot& spot) const;
};

// The operator's log: the files of key `adif_log`, read off the window's
// thread and followed as loggers write them (a change is read within a
// second). Each reading ends in a new snapshot and `changed`.
class LogBook : public QObject {
    Q_OBJECT

public:
    // `countries`: the country data in use.
    explicit LogBook(std::shared_ptr<const CountryTable> countries, QObject* parent = nullptr);
    ~LogBook() override;

    // `files`: the log's files ("~/" is the home folder), a file named twice
    // read once; none: no log. `confirmations`: those that count ("qsl",
    // "lotw", "eqsl"). The reading thread starts with the first log.
    void setLog(const QStringList& files, const QStringList& confirmations);
    std::shared_ptr<const LogSnapshot> snapshot() const { return snapshot_; }
    // Other country data is in use: every contact's entity is found again.
    void setCountries(std::shared_ptr<const CountryTable> countries);
    // Contacts another program just logged (WSJT-X), as ADIF text: they
    // count at once, before a file of the log holds them, and once after
    // (the status line counts the files' contacts only). Nothing is written.
    void addLoggedElsewhere(const QByteArray& adif);
    static constexpr std::size_t MostLoggedElsewhere = 10000;

signals:
    void changed();

private:
    // Off the window's thread: reads what changed, then hands a snapshot over.
    void readChanges();
    void watch();
    void refreshSoon();
    // Once, however often asked before it runs; from either thread.
    void queueReading();

    // The log asked for last.
    QStringList paths_;
    std::uint8_t counted_ = 0;
    QThread thread_;
    QObject* reader_ = nullptr; // lives in thread_
    std::atomic<bool> stopping_{false};
    std::atomic<bool> refreshQueued_{false};
    // Owned by the reading thread.
    std::vector<std::unique_ptr<LogFile>> files_;
    // How many files the last reading counted, each file once.
    std::size_t countedFiles_ = 0;
    std::uint8_t readingCounted_ = PaperQsl | Lotw;
    std::shared_ptr<const CountryTable> countries_;
    std::vector<AdifRecord> loggedElsewhere_;
    bool loggedElsewhereChanged_ = false;

    QFileSystemWatcher watcher_;
    QTimer poll_;
    std::shared_ptr<const LogSnapshot> snapshot_ = std::make_shared<LogSnapshot>();
};
