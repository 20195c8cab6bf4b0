#pragma once

#include "Spot.h"

#include <QByteArray>
#include <QDateTime>
#include <cstdint>
#include <vector>

// Writes a band page in the table form the program reads: lower-case tags,
// lines ended by a line feed alone, a caption and a heading row giving seven
// comma-separated items, then one row of seven lines per spot in the order
// given, in ISO-8859-1. Every field is escaped, so that no text of a spot can
// end its cell.
namespace SpotPageHtml {

inline const QByteArray ContentType = QByteArrayLiteral("text/html; charset=ISO-8859-1");

QByteArray page(std::int16_t Bande, const QDateTime& updatedUtc, const std::vector<Spot>& spots);
// "06 Dec 14:05Z": the 13 characters of a spot's date.
QString spotDate(const QDateTime& timeUtc);
// "&", "<", ">" and the double quote as character references, in ISO-8859-1.
QByteArray escaped(const QString& text);

} // namespace SpotPageHtml
