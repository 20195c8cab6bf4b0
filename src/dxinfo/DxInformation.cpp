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
