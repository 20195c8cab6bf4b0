#pragma once

#include "AdifRecord.h"
#include "PrefixTable.h"
#include "WorkedIndex.h"

#include <QString>
#include <vector>

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
    // The same for a callsign as a log holds it: UTF-8, in any case.
    int ofLoggedCall(QByteArrayView callsign) const;
    // Whether an ADIF DXCC number names an entity, deleted ones included.
    bool isEntity(int number) const { return number > 0 && number <= highest_; }

private:
    PrefixTable prefixes_;
    // The number of each country of the prefix table, 0 for none.
    std::vector<int> numbers_;
    // ADIF's numbers run to 522 (Kosovo); newer ones come with the data.
    int highest_ = 522;
};

// How a logged contact counts: its DXCC field when that is an entity, else
// the entity of its call; its band, else the band of its frequency (in MHz);
// its mode group; the confirmations received ("Y" or "V").
LoggedContact loggedContact(const AdifRecord& record, const EntityNumbers& entities);
