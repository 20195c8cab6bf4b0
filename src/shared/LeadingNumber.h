#pragma once

#include <QString>

// The number formed by an optional minus sign, digits and a decimal point at
// the start of a text; 0 when the text starts with none of them.
double leadingNumber(const QString& text);

// Nearest whole number, halves to even (2.5 gives 2, 3.5 gives 4); beyond
// the range of the result, its nearest end; 0 for what is not finite.
long long roundHalfEven(double value);
