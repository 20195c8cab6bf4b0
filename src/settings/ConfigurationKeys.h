#pragma once

#include <array>

// The keys of the configuration files, one row each, in the order the
// settings window shows them: reading the files, the settings window
// "Réglages" and saving all walk this table.
namespace ConfigKey {
enum Id : int {
    Callsign,
    Cluster,
    Password,
    SpotSite,
    LookupSite,
    Com1,
    Com2,
    Com3,
    Com4,
    Com5,
    Com6,
    Rigctld,
    Flrig,
    HamlibModel,
    HamlibDevice,
    HamlibSpeed,
    Mode,
    AdifLog,
    Confirmations,
    AlertNewEntity,
    NeededOnly,
    CountrySite,
    CountryUpdate,
    Count
};
} // namespace ConfigKey

// How a key's value is read from its line.
enum class ValueForm {
    Trimmed, // blanks around it dropped
    // A web site, http or https, used as a prefix of paths: kept without a
    // trailing "/"; any other scheme falls back to the default.
    Site,
    // As typed: only the blank after "=" dropped (a password's own blanks).
    Exact,
};

struct ConfigurationKey {
    const char* name;
    const char* defaultValue;
    // The field's caption in "Réglages" (UTF-8).
    const char* caption;
    const char* meaning;
    ValueForm form = ValueForm::Trimmed;
};

inline constexpr std::array<ConfigurationKey, ConfigKey::Count> ConfigurationKeys{{
    {"callsign", "", "Indicatif", "the login given to the cluster nodes"},
    {"cluster", "", "Nœuds du cluster",
     "up to three cluster nodes host:port, by commas; empty: demonstration"},
    {"password", "", "Mot de passe", "given when a node asks for one", ValueForm::Exact},
    {"spot_site", "http://127.0.0.1:8073", "Site des spots", "base address of the band pages",
     ValueForm::Site},
    {"lookup_site", "https://www.qrz.com", "Site de recherche d'indicatif",
     "base address of the callsign lookup", ValueForm::Site},
    {"com1", "/dev/ttyS0", "Com 1", "device of \"Com 1\""},
    {"com2", "/dev/ttyS1", "Com 2", "device of \"Com 2\""},
    {"com3", "/dev/ttyS2", "Com 3", "device of \"Com 3\""},
    {"com4", "/dev/ttyS3", "Com 4", "device of \"Com 4\""},
    {"com5", "/dev/ttyS4", "Com 5", "device of \"Com 5\""},
    {"com6", "/dev/ttyS5", "Com 6", "device of \"Com 6\""},
    {"rigctld", "127.0.0.1:4532", "rigctld (hôte:port)", "host:port of Hamlib's rigctld"},
    {"flrig", "127.0.0.1:12345", "flrig (hôte:port)", "host:port of flrig"},
    {"hamlib_model", "", "Radio lancée par le programme",
     "Hamlib model of the rigctld the program runs; empty: none"},
    {"hamlib_device", "/dev/ttyUSB0", "Son périphérique", "its device"},
    {"hamlib_speed", "19200", "Sa vitesse", "its speed"},
    {"mode", "sideband", "Mode réglé par un clic",
     "how a click sets the mode: sideband, bandplan or none"},
    {"adif_log", "", "Journal ADIF",
     "the operator's ADIF files (.adi, .adx), by \";\"; \"~/\" is the home folder"},
    {"confirmations", "qsl,lotw", "Confirmations",
     "the confirmations that count, by commas: qsl, lotw, eqsl"},
    {"alert_new_entity", "yes", "Alerte pour une nouvelle entité",
     "yes: \"ringout.wav\" when a spot of a new entity appears"},
    {"needed_only", "no", "Nouveaux seulement",
     "yes: the spot list keeps only the spots a contact would bring something"},
    {"country_site", "https://www.country-files.com/bigcty/cty.csv", "Fichier des pays",
     "address of the country file cty.csv", ValueForm::Site},
    {"country_update", "auto", "Mise à jour automatique",
     "auto: the country file is fetched once over 30 days old; manual: from the menu only"},
}};
