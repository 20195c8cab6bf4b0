#pragma once

#include "PrefixLookup.h"

#include <QStringList>
#include <string>

// A prefix record on one line, for compact comparisons:
// "prefix|country|continent|latitude|longitude|CQ|offset|ITU".
inline std::string summary(const Fiche_Prefixe& r) {
    return QStringList{r.prefix,
                       r.country,
                       r.continent,
                       QString::number(r.latitude),
                       QString::number(r.longitude),
                       r.cqZone,
                       r.utcOffset,
                       r.ituZone}
        .join(QLatin1Char('|'))
        .toStdString();
}
