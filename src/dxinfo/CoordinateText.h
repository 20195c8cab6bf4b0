#pragma once

#include <QString>

// The station position is typed and stored with a hemisphere letter
// ("48.52N", "2.31E", west written "O") and worked with as signed decimal
// text ("48.52", "-2.31").

// Drops the last character, whatever it is, and puts a minus sign in front
// when it was the given south or west letter.
QString toSignedText(const QString& stored, QChar negativeLetter);
QString latitudeToSigned(const QString& stored);  // "S" is negative
QString longitudeToSigned(const QString& stored); // "O" is negative

// Defaults of the stored texts.
extern const QString DefaultLatitude;  // "0.00N"
extern const QString DefaultLongitude; // "0.00E"
