#include "LookupAddress.h"

namespace {

constexpr qsizetype DxFieldStart = 15; // 0-based column of character 16
constexpr qsizetype DxFieldLength = 12;

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

QString lookupCallsign(const QString& spotLine) {
    const QString callsign =
        withoutBlanksAround(spotLine.mid(DxFieldStart, DxFieldLength)).toLower();
    const qsizetype slash = callsign.indexOf(QLatin1Char('/'));
    return slash < 0 ? callsign : callsign.left(slash);
}

QUrl lookupAddress(const QString& base, const QString& spotLine) {
    const QString callsign = lookupCallsign(spotLine);
    // A browser reads a last segment of "." or ".." (even encoded) as a step
    // up the path; such a "callsign" names no station, so look up nothing.
    const bool dotsOnly = callsign == QLatin1String(".") || callsign == QLatin1String("..");
    const QByteArray encoded = dotsOnly ? QByteArray() : QUrl::toPercentEncoding(callsign);
    return QUrl(base + QStringLiteral("/db/") + QString::fromLatin1(encoded));
}
