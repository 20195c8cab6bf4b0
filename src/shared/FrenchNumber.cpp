#include "FrenchNumber.h"

QString frenchNumber(int number) {
    QString digits = QString::number(number);
    const qsizetype firstDigit = number < 0 ? 1 : 0;
    for (qsizetype at = digits.size() - 3; at > firstDigit; at -= 3)
        digits.insert(at, QChar(0x202F));
    return digits;
}
