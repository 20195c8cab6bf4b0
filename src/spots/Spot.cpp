#include "Spot.h"

#include "BandTable.h"
#include "SpotLineColumns.h"

#include <array>

namespace {

using namespace SpotLineColumns;

enum Column { TimeColumn, CallColumn, FrequencyColumn, SpotterColumn, RemarkColumn, ColumnCount };
using Columns = std::array<QString, ColumnCount>;

// A spotter longer than its column pushes the remark along, as it always did.
Columns columnsOf(const Spot& spot) {
    return {spot.time.left(DateWidth).leftJustified(DateWidth), callColumn(spot),
            spot.frequency.rightJustified(QrgWidth), spot.spotter.leftJustified(SpotterWidth),
            spot.remark};
}

QString eachAfterASpace(const Columns& columns, std::array<Column, ColumnCount> order) {
    QString line;
    for (const Column column : order) {
        line += QLatin1Char(' ');
        line += columns[column];
    }
    return line;
}

QString withoutTrailingBlanks(QStringView field) {
    while (field.endsWith(u' '))
        field.chop(1);
    return field.toString();
}

QString withoutLeadingBlanks(QStringView field) {
    while (field.startsWith(u' '))
        field = field.sliced(1);
    return field.toString();
}

} // namespace

double Spot::kHz() const {
    return QStringView(frequency).trimmed().toDouble();
}

std::optional<int> Spot::band() const {
    return amateurBandOfKhz(kHz());
}

QString callColumn(const Spot& spot) {
    return spot.call.left(DxWidth).leftJustified(DxWidth);
}

QString spotLine(const Spot& spot) {
    return eachAfterASpace(columnsOf(spot),
                           {TimeColumn, CallColumn, FrequencyColumn, SpotterColumn, RemarkColumn});
}

QString sortLine(const Spot& spot, std::int16_t Mode_Tri) {
    switch (Mode_Tri) {
    case 2:
        return eachAfterASpace(columnsOf(spot), {CallColumn, TimeColumn, FrequencyColumn,
                                                 SpotterColumn, RemarkColumn});
    case 3:
        return eachAfterASpace(columnsOf(spot), {FrequencyColumn, CallColumn, TimeColumn,
                                                 SpotterColumn, RemarkColumn});
    default:
        return spotLine(spot);
    }
}

QString listedKey(const Spot& spot) {
    return callColumn(spot) + QLatin1Char(' ') + spot.frequency.rightJustified(QrgWidth);
}

Spot spotOfLine(QStringView line) {
    const auto column = [line](int start, int width) { return line.mid(start, width); };
    Spot spot;
    spot.time = withoutTrailingBlanks(column(Date, DateWidth));
    spot.call = withoutTrailingBlanks(column(DX, DxWidth));
    spot.frequency = withoutLeadingBlanks(column(QRG, QrgWidth));
    spot.spotter = withoutTrailingBlanks(column(Spotter, SpotterWidth));
    spot.remark = line.mid(Remarques).toString();
    return spot;
}
