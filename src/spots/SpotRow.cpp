#include "SpotRow.h"

#include "SpotLineColumns.h"

#include <initializer_list>

namespace {

QString eachAfterASpace(std::initializer_list<const QString*> fields) {
    QString line;
    for (const QString* field : fields) {
        line += QLatin1Char(' ');
        line += *field;
    }
    return line;
}

} // namespace

QString spotLine(const SpotRow& row) {
    return eachAfterASpace({&row.Date, &row.DX, &row.QRG, &row.Spotter, &row.Remarques});
}

QString sortLine(const SpotRow& row, std::int16_t Mode_Tri) {
    switch (Mode_Tri) {
    case 2:
        return eachAfterASpace({&row.DX, &row.Date, &row.QRG, &row.Spotter, &row.Remarques});
    case 3:
        return eachAfterASpace({&row.QRG, &row.DX, &row.Date, &row.Spotter, &row.Remarques});
    default:
        return spotLine(row);
    }
}

SpotRow spotOfLine(QStringView line) {
    using namespace SpotLineColumns;
    const auto field = [line](int start, int next) {
        return line.mid(start, next - start - 1).toString();
    };
    return SpotRow{field(Date, DX), field(DX, QRG), field(QRG, Spotter), field(Spotter, Remarques),
                   line.mid(Remarques).toString()};
}
