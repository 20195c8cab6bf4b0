#pragma once

#include <QString>

// A spot line as the spot list shows it, with the QRG right-aligned in
// columns 29 to 36.
inline QString spotLine(const QString& qrg) {
    return QStringLiteral(" 06-Dec 1405Z  F5ABC        %1 DL1XYZ      CW 599").arg(qrg, 8);
}
