// The country data of the main window: its updates from Debian's package
// and the site, and the copy the lookups and the log read.
#include "Durerur.h"

#include "MessageBox.h"

#include <QAction>
#include <QLabel>

void Durerur::startCountryUpdates() {
    Mnu_Maj_Pays->setEnabled(false);
    countries_.startUp(config_.choice(ConfigKey::CountryUpdate) == ConfigWords::Auto,
                       config_.value(ConfigKey::CountrySite));
}

void Durerur::Mnu_Maj_Pays_Click() {
    if (countries_.running())
        return;
    Mnu_Maj_Pays->setEnabled(false);
    statusLine_.showCountryUpdating();
    countries_.update(config_.value(ConfigKey::CountrySite));
}

void Durerur::countryDataChanged() {
    log_.setCountries(countries_.table());
}

void Durerur::countrySiteAttempted(const CountryUpdateResult& result, bool asked) {
    const bool failed = result.kind == CountryUpdateResult::Kind::Failed;
    // Unasked, a failure is only noted: the data in use still serves.
    statusLine_.showCountrySiteAttempt(countries_.versionInUse().versionText(), result.message(),
                                       failed && !asked);
    if (asked)
        platform_.messages.show(result.message());
}
