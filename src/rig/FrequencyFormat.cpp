#include "FrequencyFormat.h"

#include "CatOpcodes.h"

std::optional<std::int32_t> Format_QRG(QStringView Freq_In) {
    const QStringView text = Freq_In.trimmed();
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    const QStringView whole = point < 0 ? text : text.left(point);
    const QStringView decimals = point < 0 ? QStringView() : text.mid(point + 1);
    if (whole.isEmpty() && decimals.isEmpty())
        return std::nullopt;

    const auto isDigit = [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); };
    // Kilohertz are counted exactly in 10 Hz units, so no binary fraction can
    // turn 14025.5 into 1402549.
    std::int64_t units = 0;
    for (const QChar c : whole) {
        if (!isDigit(c))
            return std::nullopt;
        units = units * 10 + (c.unicode() - '0');
        if (units > MaxFreqWanted)
            return std::nullopt;
    }
    units *= 100;
    for (qsizetype i = 0; i < decimals.size(); ++i) {
        const QChar c = decimals[i];
        if (!isDigit(c))
            return std::nullopt;
        const int digit = c.unicode() - '0';
        if (i == 0)
            units += digit * 10;
        else if (i == 1)
            units += digit;
        else if (i == 2 && digit >= 5)
            units += 1; // halves round up
    }
    if (units < 1 || units > MaxFreqWanted)
        return std::nullopt;
    return static_cast<std::int32_t>(units);
}

std::uint8_t sidebandFor(std::int32_t FreqWanted) {
    // The first four of the eight digits, that is the number of 100 kHz.
    return FreqWanted / 10000 < 72 ? ModeLowerSideband : ModeUpperSideband;
}
