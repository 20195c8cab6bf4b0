#pragma once

#include <QString>

// A spot line as the spot list shows it: a blank, date (13), blank, DX (12),
// blank, QRG (8), blank, spotter (11), blank, remark.
inline QString memorySpotLine(const QString& dx, const QString& qrg = QStringLiteral("14025.5")) {
    return QStringLiteral(" 06-Dec 1405Z  %1 %2 DL1XYZ      CW 599")
        .arg(dx.leftJustified(12), qrg.rightJustified(8));
}
