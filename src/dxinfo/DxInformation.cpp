#include "DxInformation.h"

#include "DistanceBearing.h"
#include "LeadingNumber.h"

DxInformation Cherche_Prefixe(const CountryTable& countries, QStringView callsign,
                              const QString& ownLatitude, const QString& ownLongitude) {
    const std::optional<Fiche_Prefixe> record = countries.recordOf(callsign);
    if (!record)
        return {};
    const DistanceAndBearing way =
        Distance_Azimut(leadingNumber(ownLatitude), leadingNumber(ownLongitude), record->latitude,
                        record->longitude);
    return {*record, way.distance, way.bearing};
}

QString continentNear(const CountryTable& countries, const QString& ownLatitude,
                      const QString& ownLongitude) {
    const double latitude = leadingNumber(ownLatitude);
    const double longitude = leadingNumber(ownLongitude);
    const Fiche_Prefixe* nearest = nullptr;
    double shortest = 0;
    for (const Fiche_Prefixe& place : countries.places()) {
        const double distance =
            Distance_Azimut(latitude, longitude, place.latitude, place.longitude).distance;
        if (nearest == nullptr || distance < shortest) {
            nearest = &place;
            shortest = distance;
        }
    }
    return nearest != nullptr ? nearest->continent : QString();
}
