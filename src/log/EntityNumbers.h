#pragma once

#include "AdifRecord.h"
#include "PrefixTable.h"
#include "WorkedIndex.h"

#include <QHash>
#include <QString>

// The ADIF DXCC number of a callsign's entity: the country the details panel
// finds for it, turned into its number by the table generated beside the
// prefix file.
class EntityNumbers {
public:
    // From the country data in `countryFolder`.
    static EntityNumbers load(const QString& countryFolder);
    static EntityNumbers parse(PrefixTable prefixes, QStringView numbersText);

    // 0 when the callsign has no entity.
    int ofCall(QStringView callsign) const;

private:
    PrefixTable prefixes_;
    QHash<QString, int> numbers_;
};

// How a logged contact counts: its DXCC field, else the entity of its call;
// its band, else the band of its frequency (in MHz); its mode group; the
// confirmations received ("Y" or "V").
LoggedContact loggedContact(const AdifRecord& record, const EntityNumbers& entities);
