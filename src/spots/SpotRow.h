#pragma once

#include <QString>
#include <cstdint>

// One decoded spot, each field already at its width: Date cut or padded to
// 13 characters, DX cut or padded to 12, QRG right-aligned in 8 (a longer one
// written again by its value), Spotter left-aligned in 11, Remarques with its
// entities decoded and cut at 500 characters.
struct SpotRow {
    QString Date;
    QString DX;
    QString QRG;
    QString Spotter;
    QString Remarques;
};

// The line shown in the spot list: a space, Date, a space, DX, a space, QRG,
// a space, Spotter, a space, Remarques.
QString spotLine(const SpotRow& row);

// The fields of a line of the spot list (or of the memory window, which holds
// the same lines), each at its width as spotLine wrote it: the only reader of
// the line's columns.
SpotRow spotOfLine(QStringView line);

// The line put into the sorted list, its sort field first: Mode_Tri 1 by date
// (the spot line itself), 2 by DX, 3 by frequency.
QString sortLine(const SpotRow& row, std::int16_t Mode_Tri);
