#include "LogFile.h"

#include "AdiReader.h"
#include "AdxReader.h"
#include "CountryTable.h"
#include "LogSlots.h"
#include "RegularFile.h"
#include "SystemErrorText.h"

#include <QStringDecoder>
#include <cerrno>
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

bool received(const QByteArray& field) {
    return field.compare("Y", Qt::CaseInsensitive) == 0 ||
           field.compare("V", Qt::CaseInsensitive) == 0;
}

} // namespace

LoggedContact loggedContact(const AdifRecord& record, const CountryTable& countries) {
    LoggedContact contact;
    bool isNumber = false;
    const int dxcc = record.dxcc.toInt(&isNumber);
    contact.entity =
        isNumber && countries.isEntity(dxcc) ? dxcc : countries.entityOfLoggedCall(record.call);
    std::optional<int> band = bandNamed(record.band);
    if (!band) {
        bool isFrequency = false;
        const double megahertz = record.freq.toDouble(&isFrequency);
        if (isFrequency)
            band = amateurBandOfKhz(megahertz * 1000);
    }
    contact.band = std::int8_t(band.value_or(-1));
    const std::optional<ModeGroup> group = contactModeGroup(record.mode);
    contact.group = group ? std::int8_t(*group) : std::int8_t(-1);
    contact.confirmedBy = std::uint8_t((received(record.qslRcvd) ? PaperQsl : 0) |
                                       (received(record.lotwQslRcvd) ? Lotw : 0) |
                                       (received(record.eqslQslRcvd) ? Eqsl : 0));
    return contact;
}

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Whether the text starts as XML does (a declaration, a comment, a doctype,
// the ADX root in any case) rather than as ADI, where a header never starts
// with "<" and a field's name is followed by its length.
bool startsAsXml(QStringView text) {
    if (text.startsWith(u"<?") || text.startsWith(u"<!"))
        return true;
    if (!text.startsWith(u"<adx", Qt::CaseInsensitive))
        return false;
    const QStringView after = text.sliced(4);
    return after.isEmpty() || after[0] == u'>' || after[0] == u'/' || after[0].isSpace();
}

// An ADX file is XML, in UTF-8 or UTF-16, with blanks or a comment before
// its root; anything else is read as ADI.
bool isAdx(int fd, off_t size) {
    char start[16] = {};
    const ssize_t got = ::pread(fd, start, sizeof start, 0);
    const QByteArrayView first(start, got > 0 ? got : 0);
    const std::optional<QStringConverter::Encoding> encoding =
        QStringConverter::encodingForData(first, u'<');
    if (encoding && *encoding != QStringConverter::Utf8) {
        QStringDecoder decode(*encoding);
        return startsAsXml(QString(decode(first)).trimmed());
    }
    // Past a UTF-8 byte order mark and blanks of any length.
    off_t at = first.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    char piece[4096];
    for (;;) {
        const ssize_t read = ::pread(fd, piece, sizeof piece, at);
        if (read <= 0 || at >= size)
            return false;
        qsizetype blanks = 0;
        while (blanks < read && isBlank(piece[blanks]))
            ++blanks;
        if (blanks < read) {
            char text[8] = {};
            const ssize_t textGot = ::pread(fd, text, sizeof text, at + blanks);
            return startsAsXml(QString::fromLatin1(text, textGot > 0 ? textGot : 0));
        }
        at += read;
    }
}

bool sameTime(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

// Hands each piece of the file from `from` to `feed`; false when stopped.
template <typename Feed>
bool readPieces(int fd, off_t from, off_t size, const std::atomic<bool>& stop, Feed feed) {
    QByteArray piece(LogFile::PieceSize, Qt::Uninitialized);
    for (off_t at = from; at < size && !stop;) {
        // Bytes written since the size was taken wait for the next reading.
        const ssize_t got =
            ::pread(fd, piece.data(), std::size_t(std::min<off_t>(piece.size(), size - at)), at);
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

bool LogFile::stillHoldsWhatWasRead(int fd) const {
    const off_t readEnd = seen_->size;
    QByteArray now(head_.size(), Qt::Uninitialized);
    if (::pread(fd, now.data(), std::size_t(now.size()), 0) != now.size() || now != head_)
        return false;
    now.resize(tail_.size());
    return ::pread(fd, now.data(), std::size_t(now.size()), readEnd - tail_.size()) == now.size() &&
           now == tail_;
}

bool LogFile::refresh(const CountryTable& countries, const std::atomic<bool>& stop) {
    // Never blocks on a FIFO put in the file's place.
    const RegularFile file(path_);
    if (file.notRegular())
        return setAccessProblem(QStringLiteral("pas un fichier ordinaire"));
    if (!file.isOpen())
        return setAccessProblem(openingProblem(file.error()));
    const int fd = file.descriptor();
    const struct stat& status = file.status();
    const Seen now{status.st_dev, status.st_ino, status.st_size, status.st_mtim};
    const bool sameFile = seen_ && seen_->device == now.device && seen_->inode == now.inode;
    if (sameFile && seen_->size == now.size && sameTime(seen_->modified, now.modified))
        return setAccessProblem(QString());
    const bool adx = isAdx(fd, now.size);
    // Only a file that grew, what was read still in it, is read from where
    // it was left: an export rewrites the file in place.
    if (!sameFile || now.size <= seen_->size || adx || !stillHoldsWhatWasRead(fd)) {
        wholeEnd_ = 0;
        wholeCount_ = 0;
        wholeUnreadable_ = 0;
        head_.clear();
        tail_.clear();
    } else {
        // The end of what was read from where reading starts again.
        tail_.chop(qsizetype(std::min<qint64>(tail_.size(), seen_->size - wholeEnd_)));
    }
    contacts_.resize(wholeCount_);
    tailUnreadable_ = 0;
    accessProblem_.clear();
    contentProblem_.clear();
    if (adx)
        readAdx(fd, now.size, countries, stop);
    else
        readAdi(fd, now.size, countries, stop);
    seen_ = now;
    return true;
}

void LogFile::keepWitness(QByteArrayView piece, qint64 at) {
    const qint64 into = head_.size() - at;
    if (head_.size() < WitnessSize && into >= 0 && into < piece.size())
        head_.append(
            piece.sliced(into).first(std::min(piece.size() - into, WitnessSize - head_.size())));
    tail_.append(piece.last(std::min(piece.size(), WitnessSize)));
    tail_.remove(0, std::max<qsizetype>(0, tail_.size() - WitnessSize));
}

void LogFile::readAdi(int fd, off_t size, const CountryTable& countries,
                      const std::atomic<bool>& stop) {
    AdiReader reader(
        [&](const AdifRecord& record) { contacts_.push_back(loggedContact(record, countries)); });
    const bool whole = wholeEnd_ == 0;
    qint64 at = wholeEnd_;
    readPieces(fd, wholeEnd_, size, stop, [&](QByteArrayView piece) {
        keepWitness(piece, at);
        at += piece.size();
        reader.feed(piece);
    });
    const int wholeUnreadable = reader.unreadable();
    const std::optional<AdifRecord> cut = reader.finish();
    wholeEnd_ += reader.wholeRecordsEnd();
    wholeCount_ = contacts_.size();
    wholeUnreadable_ += wholeUnreadable;
    tailUnreadable_ = reader.unreadable() - wholeUnreadable;
    if (cut)
        contacts_.push_back(loggedContact(*cut, countries));
    if (whole && size > 0 && !reader.readAnyField())
        contentProblem_ = QStringLiteral("ni ADI ni ADX");
}

void LogFile::readAdx(int fd, off_t size, const CountryTable& countries,
                      const std::atomic<bool>& stop) {
    AdxReader reader(
        [&](const AdifRecord& record) { contacts_.push_back(loggedContact(record, countries)); });
    readPieces(fd, 0, size, stop, [&](QByteArrayView piece) { reader.feed(piece); });
    contentProblem_ = reader.finish();
    wholeUnreadable_ = reader.unreadable();
}
