// The main window's side of the band map.
#include "Durerur.h"

#include "CountryTable.h"
#include "DxInformation.h"
#include "LocalSpotServer.h"

void Durerur::applyBandMapConfiguration() {
    bandMap_.watch(LocalSpotServer::localPort(config_.spotSite()).value_or(0));
}

void Durerur::Mnu_Carte_Click() {
    bandMap_.show();
}

void Durerur::tuneToSpot(const Spot& spot) {
    if (!positionEntered())
        return;
    state_.Ligne_Selection = spotLine(spot);
    Dedirad_Liste();
}

QString Durerur::operatorContinent() const {
    const std::shared_ptr<const CountryTable> countries = countries_.table();
    if (const QString callsign = config_.callsign(); !callsign.isEmpty()) {
        if (const std::optional<Fiche_Prefixe> station = countries->recordOf(callsign))
            return station->continent;
    }
    if (!positionGiven())
        return QString();
    return continentNear(*countries, state_.Latitude_Station, state_.Longitude_Station);
}
