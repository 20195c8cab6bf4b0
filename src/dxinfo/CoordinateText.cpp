#include "CoordinateText.h"

const QString DefaultLatitude = QStringLiteral("0.00N");
const QString DefaultLongitude = QStringLiteral("0.00E");

QString toSignedText(const QString& stored, QChar negativeLetter) {
    if (stored.isEmpty())
        return stored;
    const QString number = stored.left(stored.size() - 1);
    return stored.back() == negativeLetter ? QLatin1Char('-') + number : number;
}

QString latitudeToSigned(const QString& stored) {
    return toSignedText(stored, QLatin1Char('S'));
}

QString longitudeToSigned(const QString& stored) {
    return toSignedText(stored, QLatin1Char('O'));
}
