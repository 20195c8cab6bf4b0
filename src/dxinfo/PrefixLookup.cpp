#include "PrefixLookup.h"

#include "DistanceBearing.h"
#include "LeadingNumber.h"
#include "PrefixFileLayout.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <mutex>
#include <optional>
#include <sys/stat.h>

namespace {

QString field(QStringView line, PrefixColumn column) {
    return line.mid(column.first - 1, column.width).trimmed().toString();
}

QStringView prefixOf(QStringView line) {
    return line.mid(PrefixFileLayout::Prefix.first - 1, PrefixFileLayout::Prefix.width).trimmed();
}

// The first line whose prefix begins the callsign. A final line end does not
// start another (empty, hence all-matching) line.
std::optional<QStringView> firstMatchingLine(QStringView text, QStringView callsign) {
    while (!text.isEmpty()) {
        const qsizetype end = text.indexOf(QLatin1Char('\n'));
        QStringView line = end < 0 ? text : text.first(end);
        text = end < 0 ? QStringView() : text.sliced(end + 1);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (callsign.startsWith(prefixOf(line)))
            return line;
    }
    return std::nullopt;
}

// The prefix-file line of the callsign in the exact-call file. The file is
// large (tens of thousands of calls, 2 MB) and asked at every click: it is
// held between clicks and read again only when it is another file or was
// changed, so that an edited copy still counts at once.
std::optional<QString> exactCallLine(const QString& file, QStringView callsign) {
    struct Held {
        QString path;
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = -1;
        timespec modified{};
        QHash<QString, QString> lines;
    };
    static std::mutex guard;
    static Held held;
    struct stat status {};
    if (callsign.isEmpty() || ::stat(QFile::encodeName(file).constData(), &status) != 0)
        return std::nullopt;
    const std::lock_guard lock(guard);
    if (held.path != file || held.device != status.st_dev || held.inode != status.st_ino ||
        held.size != status.st_size || held.modified.tv_sec != status.st_mtim.tv_sec ||
        held.modified.tv_nsec != status.st_mtim.tv_nsec) {
        held = Held{file, status.st_dev, status.st_ino, status.st_size, status.st_mtim, {}};
        QFile calls(file);
        if (calls.open(QIODevice::ReadOnly)) {
            const QString text = QString::fromUtf8(calls.readAll());
            for (QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
                const qsizetype blank = line.indexOf(QLatin1Char(' '));
                const QString call = blank > 0 ? line.first(blank).toString() : QString();
                if (!call.isEmpty() && !held.lines.contains(call))
                    held.lines.insert(call, line.sliced(blank + 1).toString());
            }
        }
    }
    const auto found = held.lines.constFind(callsign.toString());
    return found == held.lines.cend() ? std::nullopt : std::optional<QString>(*found);
}

} // namespace

Fiche_Prefixe readPrefixRecord(QStringView line) {
    using namespace PrefixFileLayout;
    Fiche_Prefixe record;
    record.prefix = field(line, Prefix);
    record.country = field(line, Country);
    record.continent = field(line, Continent);
    record.latitude = leadingNumber(field(line, Latitude));
    record.longitude = leadingNumber(field(line, Longitude));
    record.cqZone = field(line, CqZone);
    record.utcOffset = field(line, UtcOffset);
    record.ituZone = field(line, ItuZone);
    return record;
}

void Cherche_Prefixe(const QString& prefixFile, const QString& callsign, const QString& ownLatitude,
                     const QString& ownLongitude, DxInformation& result) {
    result.record.country.clear();

    const std::optional<QString> exact =
        exactCallLine(QFileInfo(prefixFile).dir().filePath(PrefixFileLayout::ExactCallsFileName),
                      QStringView(callsign).trimmed());
    if (exact) {
        result.record = readPrefixRecord(*exact);
    } else {
        QFile file(prefixFile);
        if (!file.open(QIODevice::ReadOnly))
            return;
        const QString text = QString::fromUtf8(file.readAll());
        const std::optional<QStringView> line = firstMatchingLine(text, callsign);
        if (!line)
            return;
        result.record = readPrefixRecord(*line);
    }
    const DistanceAndBearing way =
        Distance_Azimut(leadingNumber(ownLatitude), leadingNumber(ownLongitude),
                        result.record.latitude, result.record.longitude);
    result.distance = way.distance;
    result.bearing = way.bearing;
}
