#pragma once

#include <QString>

// The fixed character columns of one line of the prefix file, shared by the
// file's generator and its lookup. Columns are 1-based and counted in
// characters; the columns between the fields are never read.
struct PrefixColumn {
    int first;
    int width;
};

namespace PrefixFileLayout {
inline constexpr PrefixColumn Prefix{1, 6};
inline constexpr PrefixColumn Country{8, 33};
inline constexpr PrefixColumn Continent{50, 21};
inline constexpr PrefixColumn Latitude{72, 7};
inline constexpr PrefixColumn Longitude{80, 7};
inline constexpr PrefixColumn CqZone{88, 2};
inline constexpr PrefixColumn UtcOffset{93, 8};
inline constexpr PrefixColumn ItuZone{102, 2};
// Nothing after the ITU zone is read.
inline constexpr int LineLength = 103;

// The file's name in the program directory.
inline const QString FileName = QStringLiteral("Prefixe_DXCC.txt");
// Beside it, the exact callsigns of the country file (DXpeditions, special
// stations), each followed by a blank and a line of the prefix file's form;
// they come before the prefix rule.
inline const QString ExactCallsFileName = QStringLiteral("Indicatifs_DXCC.txt");
// Beside them, each entity's ADIF DXCC number, a blank, and its country as
// the prefix file's country column holds it.
inline const QString EntityNumbersFileName = QStringLiteral("Numeros_DXCC.txt");
} // namespace PrefixFileLayout
