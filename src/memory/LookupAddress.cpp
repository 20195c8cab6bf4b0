#include "LookupAddress.h"

namespace {

QString withoutBlanksAround(const QString& text) {
    qsizetype first = 0;
    qsizetype end = text.size();
    while (first < end && text[first] == QLatin1Char(' '))
        ++first;
    while (end > first && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.mid(first, end - first);
}

} // namespace

QString lookupCallsign(const QString& dx) {
    const QString callsign = withoutBlanksAround(dx).toLower();
    const qsizetype slash = callsign.indexOf(QLatin1Char('/'));
    return slash < 0 ? callsign : callsign.left(slash);
}

QUrl lookupAddress(const QString& base, const QString& dx) {
    const QString callsign = lookupCallsign(dx);
    // A browser reads a last segment of "." or ".." (even encoded) as a step
    // up the path; such a "callsign" names no station, so look up nothing.
    const bool dotsOnly = callsign == QLatin1String(".") || callsign == QLatin1String("..");
    const QByteArray encoded = dotsOnly ? QByteArray() : QUrl::toPercentEncoding(callsign);
    return QUrl(base + QStringLiteral("/db/") + QString::fromLatin1(encoded));
}
