#include "BandMapSpots.h"

#include "BandTable.h"

#include <QHash>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace {

constexpr qint64 PlainMs = 5 * 60 * 1000;
constexpr double Faintest = 0.3;

} // namespace

void BandMapSpots::add(const HeardOnBand& heard) {
    spots_.push_back({heard, heard.spot.kHz(), heard.spot.band().value_or(-1)});
    if (spots_.size() > MostKept)
        spots_.pop_front();
}

void BandMapSpots::expire(qint64 nowMs, qint64 keptMs) {
    std::erase_if(spots_, [&](const Held& s) { return nowMs - s.heard.heardMs > keptMs; });
}

std::vector<BandMapEntry>
BandMapSpots::entries(int band, qint64 nowMs, qint64 keptMs,
                      const std::function<bool(const Spot&)>& keep) const {
    std::vector<const Held*> onBand;
    for (const Held& held : spots_) {
        if (held.band == band && nowMs - held.heard.heardMs <= keptMs && keep(held.heard.spot))
            onBand.push_back(&held);
    }
    // Oldest first, so that each merge keeps the latest spot.
    std::stable_sort(onBand.begin(), onBand.end(), [](const Held* a, const Held* b) {
        return a->heard.heardMs < b->heard.heardMs;
    });
    std::vector<BandMapEntry> entries;
    QHash<QString, std::vector<std::size_t>> byCall;
    for (const Held* held : onBand) {
        const HeardOnBand* heard = &held->heard;
        const double kHz = held->kHz;
        std::vector<std::size_t>& same = byCall[heard->spot.call];
        const auto merged = std::find_if(same.begin(), same.end(), [&](std::size_t i) {
            return std::abs(entries[i].kHz - kHz) <= SameStationKHz;
        });
        if (merged == same.end()) {
            same.push_back(entries.size());
            entries.push_back({heard->spot, kHz, heard->heardMs, 1});
            continue;
        }
        BandMapEntry& entry = entries[*merged];
        entry = {heard->spot, kHz, heard->heardMs, entry.count + 1};
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const BandMapEntry& a, const BandMapEntry& b) { return a.kHz < b.kHz; });
    return entries;
}

double freshness(qint64 ageMs, qint64 keptMs) {
    if (ageMs <= PlainMs || keptMs <= PlainMs)
        return 1.0;
    const double faded = double(ageMs - PlainMs) / double(keptMs - PlainMs);
    return std::max(Faintest, 1.0 - (1.0 - Faintest) * std::min(1.0, faded));
}

QString spotterCall(QStringView spotter) {
    QStringView call = spotter.trimmed();
    if (call.endsWith(u"-#"))
        call.chop(2);
    const qsizetype dash = call.indexOf(u'-');
    return (dash < 0 ? call : call.left(dash)).toString().toUpper();
}

bool isSkimmerSpot(const Spot& spot) {
    return QStringView(spot.spotter).trimmed().endsWith(u"-#");
}

QString skimmerStrength(QStringView remark) {
    static const QRegularExpression strength(
        QStringLiteral("(-?\\d+\\s*dB)(?:\\s+(\\d+\\s*(?:WPM|BPS)))?"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = strength.match(remark);
    if (!match.hasMatch())
        return QString();
    return match.captured(2).isEmpty() ? match.captured(1)
                                       : match.captured(1) + u' ' + match.captured(2);
}

QString entryDescription(const BandMapEntry& entry, const QString& status, qint64 nowMs) {
    QString text = QString::number(entry.kHz, 'f', 1) + u' ' + entry.latest.call.trimmed();
    if (entry.count > 1)
        text += QStringLiteral(" ×%1").arg(entry.count);
    if (!status.isEmpty())
        text += u' ' + status;
    return text + QStringLiteral(" %1 min").arg(std::max<qint64>(0, nowMs - entry.heardMs) / 60000);
}
