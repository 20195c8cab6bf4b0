#include "DecodeSpot.h"

#include <QList>
#include <algorithm>

namespace {

bool isLetter(QChar c) {
    return c >= u'A' && c <= u'Z';
}

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// What may stand between CQ and the call: a word of letters ("DX", "POTA",
// "TEST") or a frequency of three digits.
bool isCqModifier(QStringView word) {
    if (word.size() == 3 && std::all_of(word.begin(), word.end(), isDigit))
        return true;
    return word.size() <= 4 && std::all_of(word.begin(), word.end(), isLetter);
}

// A call as WSJT-X prints it, a hashed one between angle brackets.
std::optional<QString> callOf(QStringView word) {
    if (word.startsWith(u'<') && word.endsWith(u'>'))
        word = word.sliced(1, word.size() - 2);
    if (word.size() < 3 || word.size() > 13)
        return std::nullopt;
    bool letter = false;
    bool digit = false;
    for (const QChar c : word) {
        letter = letter || isLetter(c);
        digit = digit || isDigit(c);
        if (!isLetter(c) && !isDigit(c) && c != u'/')
            return std::nullopt;
    }
    if (!letter || !digit)
        return std::nullopt;
    return word.toString();
}

} // namespace

std::optional<QString> callingStation(QStringView message) {
    const QList<QStringView> words = message.split(u' ', Qt::SkipEmptyParts);
    if (words.isEmpty() || (words[0] != u"CQ" && words[0] != u"QRZ"))
        return std::nullopt;
    if (words.size() >= 3 && isCqModifier(words[1]))
        return callOf(words[2]);
    if (words.size() >= 2)
        return callOf(words[1]);
    return std::nullopt;
}

std::optional<Spot> spotOfDecode(const Wsjtx::Decode& decode, quint64 dialHz) {
    std::optional<QString> call = callingStation(decode.message);
    if (!call)
        return std::nullopt;
    Spot spot;
    spot.call = std::move(*call);
    if (dialHz > 0)
        spot.frequency = QString::number(double(dialHz + decode.audioHz) / 1000.0, 'f', 1);
    spot.time = decode.time.toString(QStringLiteral("HHmmss"));
    spot.spotter = decode.id;
    spot.remark = decode.message;
    spot.source = SpotSource::Decode;
    return spot;
}
