#include "SpotFilters.h"

#include <array>

namespace {

constexpr std::array<QLatin1StringView, 10> FrenchTwoLetterPrefixes{
    QLatin1StringView("TH"), QLatin1StringView("TK"), QLatin1StringView("TM"),
    QLatin1StringView("TP"), QLatin1StringView("TQ"), QLatin1StringView("TV"),
    QLatin1StringView("TW"), QLatin1StringView("HW"), QLatin1StringView("HX"),
    QLatin1StringView("HY"),
};

// An empty remark never matches; an empty searched text matches any other.
bool remarkHolds(const QString& Remarques, const QString& Remarque) {
    return !Remarques.isEmpty() && Remarques.contains(Remarque);
}

// Only blanks are trimmed, not other white space.
QStringView withoutBlanks(QStringView text) {
    while (text.startsWith(u' '))
        text = text.sliced(1);
    while (text.endsWith(u' '))
        text.chop(1);
    return text;
}

} // namespace

bool isFrenchStation(const QString& DX) {
    if (DX.startsWith(u'F'))
        return true;
    const QStringView start = QStringView(DX).left(2);
    for (QLatin1StringView prefix : FrenchTwoLetterPrefixes) {
        if (start == prefix)
            return true;
    }
    return false;
}

SpotVerdict judgeSpot(const Spot& spot, const FilterChoices& choices) {
    SpotVerdict verdict;
    const QString DX = callColumn(spot);
    if (choices.Check1 && isFrenchStation(DX))
        ++verdict.additions;
    // The DX field keeps its trailing blanks here, so a searched text longer
    // than the field never matches.
    if (choices.Check2 && !choices.Indicatif.isEmpty() &&
        QStringView(DX).left(choices.Indicatif.size()) == choices.Indicatif.toUpper())
        ++verdict.additions;
    if (choices.Check4 && remarkHolds(spot.remark, choices.Remarque))
        ++verdict.additions;
    const bool neededOnly = choices.neededOnly && choices.isNeeded;
    if (neededOnly && choices.isNeeded(spot))
        ++verdict.additions;
    if (!choices.Check1 && !choices.Check2 && !choices.Check4 && !neededOnly)
        ++verdict.additions;

    // The alert compares the callsign text as typed, without converting it.
    // An empty text watches nothing: it would sound for every spot.
    verdict.callsignAlert = choices.Check3 && choices.Check2 && !choices.Indicatif.isEmpty() &&
                            withoutBlanks(DX).left(choices.Indicatif.size()) == choices.Indicatif;
    verdict.remarkAlert =
        choices.Check3 && choices.Check4 && remarkHolds(spot.remark, choices.Remarque);
    return verdict;
}
