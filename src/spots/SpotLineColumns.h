#pragma once

// Where each field of a spot line starts, in characters from the line's
// start, and how wide it is: a blank, Date (13), a blank, DX (12), a blank,
// QRG (8), a blank, Spotter (11), a blank, Remarques.
namespace SpotLineColumns {
constexpr int Date = 1;
constexpr int DX = 15;
constexpr int QRG = 28;
constexpr int Spotter = 37;
constexpr int Remarques = 49;

constexpr int DateWidth = DX - Date - 1;
constexpr int DxWidth = QRG - DX - 1;
constexpr int QrgWidth = Spotter - QRG - 1;
constexpr int SpotterWidth = Remarques - Spotter - 1;
} // namespace SpotLineColumns
