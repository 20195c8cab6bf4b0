#pragma once

#include "ConfigurationKeys.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

// What the user may change beside the program, in "Pelk_Dedirad.conf":
// the two web sites, the device behind each serial port entry, and the DX
// cluster node that the local spot server relays with its login.
class Configuration {
public:
    static constexpr int PortCount = 6;
    // The relay logs in to this many cluster nodes at most.
    static constexpr int MaxClusterNodes = 3;
    static const QString FileName;

    // Built-in defaults, used for every key the file does not give.
    Configuration();

    // Reads the file; a missing file or key keeps the default.
    static Configuration load(const QString& path);
    // Reads the file beside the program, then the user's own, whose keys
    // override it one by one.
    static Configuration load(const QString& besidePath, const QString& userPath);
    // Parses the text of a configuration file.
    static Configuration parse(const QString& text);
    // The user's own file: $XDG_CONFIG_HOME/pelk-dedirad/Pelk_Dedirad.conf.
    static QString userFile();

    // Writes these keys into the user's file, in place of their lines or at
    // its end, keeping every other line (comments, keys it does not know) as
    // it was, byte for byte; under a lock and atomically, and only into a
    // regular file (links followed) or a new one. A file that exists but
    // cannot be read, or a value holding a control character, is never
    // written. Nothing when it was written, else why not, in French.
    static std::optional<QString> saveKeys(const QString& userPath,
                                           const QList<QPair<QString, QString>>& values);

    // The value of a key: the files' or, when they give none, its default.
    const QString& value(ConfigKey::Id key) const { return values_[key]; }
    void setValue(ConfigKey::Id key, const QString& value);
    // A yes-or-no key: "yes" in any case is yes, anything else no.
    bool isYes(ConfigKey::Id key) const;
    static QString yesOrNo(bool yes);
    // A key of a choice: the index of its value among the key's words, -1
    // for a value that is none of them.
    int choice(ConfigKey::Id key) const;
    // A key listing names by commas, each trimmed and in lower case.
    QStringList names(ConfigKey::Id key) const;
    // A key listing files by ";", each trimmed: a ";" of a file's name is
    // written "\;", and a name ending in "\" takes a blank before the next
    // ";". A value written before reads the same unless one of its names
    // ended in "\".
    static QStringList splitFiles(const QString& value);
    static QString joinFiles(const QStringList& files);

    const QString& spotSite() const { return value(ConfigKey::SpotSite); }
    const QString& lookupSite() const { return value(ConfigKey::LookupSite); }
    const QString& cluster() const { return value(ConfigKey::Cluster); }
    const QString& callsign() const { return value(ConfigKey::Callsign); }
    const QString& password() const { return value(ConfigKey::Password); }
    // Device of port entry n, 1 to 6; empty for any other n.
    QString portDevice(int n) const;
    const QString& rigctld() const { return value(ConfigKey::Rigctld); }
    const QString& flrig() const { return value(ConfigKey::Flrig); }
    // The radio a rigctld started by the program drives: Hamlib's model
    // number (empty: start none), its device and speed.
    const QString& hamlibModel() const { return value(ConfigKey::HamlibModel); }
    const QString& hamlibDevice() const { return value(ConfigKey::HamlibDevice); }
    const QString& hamlibSpeed() const { return value(ConfigKey::HamlibSpeed); }
    // How a click sets the mode: "sideband", "bandplan" or "none".
    const QString& mode() const { return value(ConfigKey::Mode); }

    // One French message for each file that is there but could not be read
    // (not a regular file, over 1 MB, not permitted, an input error), and
    // for each value not taken (a site that is not of the web).
    const QStringList& problems() const { return problems_; }

    // Host of the spot site, as named in the revision history.
    QString spotSiteHost() const;
    // Name of the lookup site for captions: "https://www.qrz.com" gives "QRZ.com".
    QString lookupSiteName() const;

    void setSpotSite(const QString& base) { setValue(ConfigKey::SpotSite, base); }
    void setLookupSite(const QString& base) { setValue(ConfigKey::LookupSite, base); }
    void setPortDevice(int n, const QString& device);
    void setRigctld(const QString& address) { setValue(ConfigKey::Rigctld, address); }
    void setFlrig(const QString& address) { setValue(ConfigKey::Flrig, address); }
    void setHamlibRadio(const QString& model, const QString& device, const QString& speed);
    void setMode(const QString& rule) { setValue(ConfigKey::Mode, rule); }

private:
    // Takes the keys of a configuration text over the values held.
    void apply(const QString& text);
    // Takes the keys of a file over the values held.
    void read(const QString& path);

    std::array<QString, ConfigKey::Count> values_;
    QStringList problems_;
};
