#include "SpotTableReader.h"

#include "RemarkEntities.h"
#include "SpotLineColumns.h"

#include <array>
#include <optional>

namespace {

const QString TableStart = QStringLiteral("<TABLE>");
const QString TableEnd = QStringLiteral("</TABLE>");

// The field of a cell line runs from `first` characters after the start of its
// opening marker to `last` characters before the start of its closing marker.
struct CellMarkers {
    QLatin1StringView opening;
    QLatin1StringView closing;
    qsizetype first;
    qsizetype last;
};

enum Cell { DxCell, QrgCell, DateCell, SpotterCell, RemarquesCell, CellCount };

// In the order of the cell lines of a row. The character just before the
// QRG's closing marker is not part of the frequency.
constexpr std::array<CellMarkers, CellCount> Cells{{
    {QLatin1StringView("_BLANK"), QLatin1StringView("</A>"), 8, 1},
    {QLatin1StringView("RIGHT"), QLatin1StringView("&NBSP"), 7, 2},
    {QLatin1StringView("LEFT"), QLatin1StringView("&NBSP"), 7, 1},
    {QLatin1StringView("_BLANK"), QLatin1StringView("</A>"), 8, 1},
    {QLatin1StringView("LEFT"), QLatin1StringView("</TD>"), 7, 1},
}};

using SpotLineColumns::DateWidth;
using SpotLineColumns::DxWidth;
using SpotLineColumns::QrgWidth;
// A remark longer than a line can show only costs memory and time at every
// scroll of the list.
constexpr qsizetype RemarkLimit = 500;
// Entities decode to fewer characters than they are written with; past this
// many characters of the page, a remark is only noise being decoded.
constexpr qsizetype RemarkSourceLimit = 64 * 1024;

// The QRG columns are what tuning reads: a frequency written longer than
// them ("000014025.0") is written again by its value with one decimal; one
// that still does not fit, or is not a number, has no place in the line.
std::optional<QString> qrgField(const QString& written) {
    if (written.size() <= QrgWidth)
        return written;
    bool ok = false;
    const double kilohertz = written.trimmed().toDouble(&ok);
    if (!ok || !(kilohertz >= 0))
        return std::nullopt;
    const QString byValue = QString::number(kilohertz, 'f', 1);
    if (byValue.size() > QrgWidth)
        return std::nullopt;
    return byValue;
}

std::optional<QString> cutField(const QString& line, const CellMarkers& cell) {
    const qsizetype open = line.indexOf(cell.opening);
    const qsizetype close = line.indexOf(cell.closing);
    if (open < 0 || close < 0)
        return std::nullopt;
    const qsizetype length = close - open - cell.first - cell.last + 1;
    if (length < 0)
        return std::nullopt;
    return line.mid(open + cell.first, length);
}

} // namespace

SpotTableReader::SpotTableReader(const QString& page) : reader_(page) {
    reading_ = findTable();
}

bool SpotTableReader::findTable() {
    for (;;) {
        const std::optional<QString> line = reader_.readLine();
        if (!line)
            return false;
        if (*line == TableStart)
            break;
    }
    for (int i = 0; i < HeadingItems; ++i) {
        if (!reader_.readItem())
            return false;
    }
    return true;
}

bool SpotTableReader::next(Spot& spot) {
    while (reading_) {
        const std::optional<QString> opening = reader_.readLine();
        if (!opening || *opening == TableEnd)
            break;

        std::array<QString, CellCount> fields;
        bool complete = true;
        for (int cell = 0; cell < CellCount; ++cell) {
            const std::optional<QString> line = reader_.readLine();
            if (!line) {
                reading_ = false;
                return false;
            }
            std::optional<QString> field = cutField(*line, Cells[cell]);
            if (field)
                fields[cell] = std::move(*field);
            else
                complete = false;
        }
        if (!reader_.readLine())
            break;
        if (!complete)
            continue;
        std::optional<QString> qrg = qrgField(fields[QrgCell]);
        if (!qrg)
            continue;

        // The list cuts the call and the date to their columns; what it
        // shows is what the filters, the alerts and the log's status read.
        spot.call = fields[DxCell].left(DxWidth);
        spot.frequency = std::move(*qrg);
        spot.time = fields[DateCell].left(DateWidth);
        spot.spotter = std::move(fields[SpotterCell]);
        spot.remark =
            decodeRemarkEntities(fields[RemarquesCell].left(RemarkSourceLimit)).left(RemarkLimit);
        spot.source = SpotSource::Page;
        return true;
    }
    reading_ = false;
    return false;
}
