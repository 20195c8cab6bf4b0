#include "Durerur.h"

#include "DxInformation.h"
#include "MessageBox.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <cmath>

namespace {

const QString CoordinatesMissing =
    QStringLiteral("Vous devez entrer votre longitude et latitude dans le menu 'Coordonnées'");
// Both coordinates at this text: the position has never been entered.
const QString PositionNotEntered = QStringLiteral("0.00");

// A blank in front of a value of zero or more, a minus sign in front of a
// negative one.
QString signedNumber(double value) {
    return (value < 0 ? QLatin1Char('-') : QLatin1Char(' ')) +
           QString::number(std::fabs(value), 'f', 0);
}

} // namespace

void Durerur::Liste_Stations_Click() {
    // Clearing the list reports a change to no line at all.
    const int row = Liste_Stations->currentRow();
    if (row < 0 || !positionEntered())
        return;
    state_.Ligne_Selection = Liste_Stations->item(row)->text();
    Dedirad_Liste();
}

bool Durerur::positionGiven() const {
    return state_.Latitude_Station != PositionNotEntered ||
           state_.Longitude_Station != PositionNotEntered;
}

bool Durerur::positionEntered() {
    if (!positionGiven()) {
        platform_.messages.show(CoordinatesMissing);
        return false;
    }
    return true;
}

void Durerur::Dedirad_Liste() {
    const DxInformation dx =
        Cherche_Prefixe(*countries_.table(), spotOfLine(state_.Ligne_Selection).call,
                        state_.Latitude_Station, state_.Longitude_Station);
    Pref->setText(dx.record.prefix);
    Pays->setText(dx.record.country);
    Cont->setText(dx.record.continent);
    CQ->setText(dx.record.cqZone);
    Dec->setText(dx.record.utcOffset);
    ITU->setText(dx.record.ituZone);
    QRB->setText(signedNumber(dx.distance) + QStringLiteral(" Km"));
    // The great-circle course lies in 0 to 359; dashes rather than a wrong
    // heading should that ever fail.
    Azi->setText(dx.bearing < 0 ? QStringLiteral("------°")
                                : signedNumber(dx.bearing) + QStringLiteral("°"));
    Journal->setText(neededText(colours_.statusOf(state_.Ligne_Selection)));
    const Spot spot = spotOfLine(state_.Ligne_Selection);
    radio_.tune(NumPort->text(), state_.Emetteur_Choisi, {spot.frequency, spot.remark});
    bandMap_.tuned(spot);
}
