#pragma once

#include <array>
#include <span>

// The keys of the configuration files, one row each, in the order they are
// written: reading the files, the settings window "Réglages" and saving all
// walk this table.
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
    WsjtxUdp,
    BandMapMinutes,
    CountrySite,
    CountryUpdate,
    Count
};
} // namespace ConfigKey

// A word of a key that chooses among words, as the files write it, with
// what "Réglages" shows for it when it has a field of its own (UTF-8).
struct ConfigWord {
    const char* word;
    const char* caption = nullptr;
    const char* field = nullptr;
};

namespace ConfigWords {
inline constexpr std::array<ConfigWord, 2> YesNo{{{"yes"}, {"no"}}};
// Key `mode`, in the order of the rules: sideband, band plan, none.
inline constexpr std::array<ConfigWord, 3> ModeRules{{
    {"sideband", "Bande latérale (inférieure sous 7200 kHz)"},
    {"bandplan", "CW et modes numériques selon le plan de bande"},
    {"none", "Fréquence seule"},
}};
// Key `confirmations`, in the order of the log's flags: paper QSL, LoTW, eQSL.
inline constexpr std::array<ConfigWord, 3> Confirmations{{
    {"qsl", "QSL papier", "QSL_Papier"},
    {"lotw", "LoTW", "QSL_LoTW"},
    {"eqsl", "eQSL", "QSL_eQSL"},
}};
// Key `country_update`: fetched by itself, or from the menu only.
enum CountryUpdate { Auto, Manual };
inline constexpr std::array<ConfigWord, 2> CountryUpdates{{{"auto"}, {"manual"}}};
} // namespace ConfigWords

// What a key's value is: how it is read from its line, checked, shown in
// "Réglages" and written.
enum class KeyForm {
    Callsign, // written in capitals, an SSID allowed; empty: none
    NodeList, // up to three host:port, by commas; empty: demonstration
    Secret,   // as typed: only the blank after "=" dropped (a password's own blanks)
    // A web site, http or https, used as a prefix of paths: scheme, host and
    // port only, kept without a trailing "/"; read otherwise, the default.
    Site,
    FileAddress,  // a file on the web, http or https; read otherwise, the default
    SerialDevice, // a device by its path, offered among the serial devices present
    Device,       // a device by its path
    HostPort,
    OptionalHostPort, // host:port; empty: none
    HamlibModel,      // a Hamlib model number among those offered; empty: none
    Speed,            // in bauds
    Minutes,          // a whole number of minutes, 1 to a day
    Choice,           // one of the key's words; of two, the first is "on"
    YesNo,            // "yes" in any case is yes, anything else no
    Words,            // some of the key's words, by commas
    Paths,            // files by ";"
};

struct ConfigurationKey {
    const char* name;
    const char* defaultValue;
    // The field's caption in "Réglages" (UTF-8).
    const char* caption;
    const char* meaning;
    KeyForm form;
    // The field's name in "Réglages"; none: not shown there, or shown as
    // one box per word.
    const char* field = nullptr;
    // What "Réglages" calls the value when it refuses it (UTF-8).
    const char* subject = nullptr;
    std::span<const ConfigWord> words = {};
};

inline constexpr std::array<ConfigurationKey, ConfigKey::Count> ConfigurationKeys{{
    {"callsign", "", "Indicatif", "the login given to the cluster nodes", KeyForm::Callsign,
     "Indicatif_Reglage", "L'indicatif"},
    {"cluster", "", "Nœuds du cluster",
     "up to three cluster nodes host:port, by commas; empty: demonstration", KeyForm::NodeList,
     "Noeuds", "Les nœuds"},
    {"password", "", "Mot de passe", "given when a node asks for one", KeyForm::Secret,
     "Mot_De_Passe"},
    {"spot_site", "http://127.0.0.1:8073", "Site des spots", "base address of the band pages",
     KeyForm::Site, "Site_Spots", "Le site des spots"},
    {"lookup_site", "https://www.qrz.com", "Site de recherche d'indicatif",
     "base address of the callsign lookup", KeyForm::Site, "Site_Recherche",
     "Le site de recherche"},
    {"com1", "/dev/ttyS0", "Com 1", "device of \"Com 1\"", KeyForm::SerialDevice,
     "Peripherique_Com1", "Le périphérique de Com 1"},
    {"com2", "/dev/ttyS1", "Com 2", "device of \"Com 2\"", KeyForm::SerialDevice,
     "Peripherique_Com2", "Le périphérique de Com 2"},
    {"com3", "/dev/ttyS2", "Com 3", "device of \"Com 3\"", KeyForm::SerialDevice,
     "Peripherique_Com3", "Le périphérique de Com 3"},
    {"com4", "/dev/ttyS3", "Com 4", "device of \"Com 4\"", KeyForm::SerialDevice,
     "Peripherique_Com4", "Le périphérique de Com 4"},
    {"com5", "/dev/ttyS4", "Com 5", "device of \"Com 5\"", KeyForm::SerialDevice,
     "Peripherique_Com5", "Le périphérique de Com 5"},
    {"com6", "/dev/ttyS5", "Com 6", "device of \"Com 6\"", KeyForm::SerialDevice,
     "Peripherique_Com6", "Le périphérique de Com 6"},
    {"rigctld", "127.0.0.1:4532", "rigctld (hôte:port)", "host:port of Hamlib's rigctld",
     KeyForm::HostPort, "Adresse_Rigctld", "L'adresse de rigctld"},
    {"flrig", "127.0.0.1:12345", "flrig (hôte:port)", "host:port of flrig", KeyForm::HostPort,
     "Adresse_Flrig", "L'adresse de flrig"},
    {"hamlib_model", "", "Radio lancée par le programme",
     "Hamlib model of the rigctld the program runs; empty: none", KeyForm::HamlibModel,
     "Modele_Hamlib"},
    {"hamlib_device", "/dev/ttyUSB0", "Son périphérique", "its device", KeyForm::Device,
     "Peripherique_Hamlib", "Le périphérique de la radio"},
    {"hamlib_speed", "19200", "Sa vitesse", "its speed", KeyForm::Speed, "Vitesse_Hamlib",
     "La vitesse de la radio"},
    {"mode", "sideband", "Mode réglé par un clic",
     "how a click sets the mode: sideband, bandplan or none", KeyForm::Choice, "Mode_Reglage",
     nullptr, ConfigWords::ModeRules},
    {"adif_log", "", "Journal ADIF",
     "the operator's ADIF files (.adi, .adx), by \";\"; \"~/\" is the home folder", KeyForm::Paths,
     "Journal_ADIF"},
    {"confirmations", "qsl,lotw", "Confirmations",
     "the confirmations that count, by commas: qsl, lotw, eqsl", KeyForm::Words, nullptr, nullptr,
     ConfigWords::Confirmations},
    {"alert_new_entity", "yes", "Alerte pour une nouvelle entité",
     "yes: \"ringout.wav\" when a spot of a new entity appears", KeyForm::YesNo,
     "Alerte_Nouvelle_Entite", nullptr, ConfigWords::YesNo},
    // Kept by the main window's "Nouveaux seulement".
    {"needed_only", "no", "Nouveaux seulement",
     "yes: the spot list keeps only the spots a contact would bring something", KeyForm::YesNo,
     nullptr, nullptr, ConfigWords::YesNo},
    {"wsjtx_udp", "127.0.0.1:2237", "Adresse UDP de WSJT-X",
     "host:port where WSJT-X sends its UDP messages, a multicast group to share them; empty: none",
     KeyForm::OptionalHostPort, "Adresse_Wsjtx", "L'adresse de WSJT-X"},
    {"band_map_minutes", "30", "Minutes sur la carte", "minutes a spot stays on the band map",
     KeyForm::Minutes, "Minutes_Carte", "La durée sur la carte"},
    {"country_site", "https://www.country-files.com/bigcty/cty.csv", "Fichier des pays",
     "address of the country file cty.csv", KeyForm::FileAddress, "Site_Pays",
     "Le fichier des pays"},
    {"country_update", "auto", "Mise à jour automatique",
     "auto: the country file is fetched once over 30 days old; manual: from the menu only",
     KeyForm::Choice, "Maj_Pays_Auto", nullptr, ConfigWords::CountryUpdates},
}};
