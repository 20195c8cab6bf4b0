#pragma once

#include "Spot.h"
#include "TextReader.h"

#include <QString>

// Reads the spot rows of the first table of an upper-cased page with
// carriage-return line ends: the "<TABLE>" line, seven heading items, then
// rows of seven lines (opening line, DX, QRG, Date, Spotter and Remarques
// cells, closing line) up to a "</TABLE>" line. A row cut short by the end of
// the text, or with a cell whose markers are missing or out of order, is
// skipped whole so that every line built from a row stays well formed.
class SpotTableReader {
public:
    static constexpr int HeadingItems = 7;

    explicit SpotTableReader(const QString& page);

    // The next complete row; false once the table or the text has ended.
    bool next(Spot& spot);

private:
    bool findTable();

    TextReader reader_;
    bool reading_ = false;
};
