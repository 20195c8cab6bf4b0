#pragma once

#include "WorkedIndex.h"

#include <QString>
#include <atomic>
#include <optional>
#include <sys/types.h>
#include <vector>

class CountryTable;
struct AdifRecord;

// How a logged contact counts: its DXCC field when that is an entity, else
// the entity of its call; its band, else the band of its frequency (in MHz);
// its mode group; the confirmations received ("Y" or "V").
LoggedContact loggedContact(const AdifRecord& record, const CountryTable& countries);

// One ADIF file of the log (ADI or ADX) and the contacts read from it. It
// follows the logger writing it: a file that grew, its bytes read so far
// still there, is read from the end of its last whole record; one replaced,
// shrunk or rewritten in place (an export into the same file) is read whole
// again.
class LogFile {
public:
    explicit LogFile(QString path) : path_(std::move(path)) {}

    // Reads what changed since the last call, in pieces, until done or
    // `stop`. True when its contacts or its problem changed. A file gone or
    // unreadable keeps the contacts last read.
    bool refresh(const CountryTable& countries, const std::atomic<bool>& stop);

    const QString& path() const { return path_; }
    const std::vector<LoggedContact>& contacts() const { return contacts_; }
    int unreadable() const { return wholeUnreadable_ + tailUnreadable_; }
    // Why the file is not read, in French; empty when it is.
    QString problem() const { return accessProblem_.isEmpty() ? contentProblem_ : accessProblem_; }

    static constexpr qsizetype PieceSize = 1 << 20;
    // The bytes kept of the start and of the end of what was read, to tell
    // a file that grew from one rewritten longer.
    static constexpr qsizetype WitnessSize = 4096;

private:
    struct Seen {
        dev_t device;
        ino_t inode;
        off_t size;
        timespec modified;
    };
    bool setAccessProblem(const QString& problem);
    bool stillHoldsWhatWasRead(int fd) const;
    // `piece` read at `at`.
    void keepWitness(QByteArrayView piece, qint64 at);
    void readAdi(int fd, off_t size, const CountryTable& countries, const std::atomic<bool>& stop);
    void readAdx(int fd, off_t size, const CountryTable& countries, const std::atomic<bool>& stop);

    QString path_;
    std::optional<Seen> seen_;
    // Bytes and contacts of the whole records read; what follows them (a
    // record the logger is still writing) is read again each time.
    qint64 wholeEnd_ = 0;
    std::size_t wholeCount_ = 0;
    int wholeUnreadable_ = 0;
    int tailUnreadable_ = 0;
    // The first and the last bytes read, up to the size last seen.
    QByteArray head_;
    QByteArray tail_;
    std::vector<LoggedContact> contacts_;
    // Why the file cannot be opened now, and why what was read is no log.
    QString accessProblem_;
    QString contentProblem_;
};
