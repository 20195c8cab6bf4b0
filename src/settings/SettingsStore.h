#pragma once

#include <QSettings>
#include <QString>
#include <memory>

// The per-user settings store: text values of application "Durerur", section
// "Setup " (the trailing blank belongs to the name), in an INI file.
//
// The file is used only when it is a regular file, or a link to one (written
// through), or does not exist yet: a device, a FIFO or a dangling link there
// would be replaced by a regular file at the first save, or hang the first
// read. Otherwise the store reads every key as missing and saves nothing.
class SettingsStore {
public:
    static const QString Application;
    static const QString Section;

    // The store of the current user (QSettings' user INI location).
    SettingsStore();
    ~SettingsStore();

    // The stored text, or the default when the key is absent. An empty stored
    // text is returned as empty. Never creates a key.
    QString read(const QString& key, const QString& defaultValue) const;
    // Creates or replaces the key; written to disk at once.
    void save(const QString& key, const QString& value);

    // False when the file is there but is not a regular file.
    bool usable() const { return settings_ != nullptr; }
    // What the user is told, once at start-up, when the store is not usable.
    QString unusableMessage() const;
    QString fileName() const { return fileName_; }

private:
    QString path(const QString& key) const;

    QString fileName_;
    std::unique_ptr<QSettings> settings_;
};

// The names of the stored settings, each in one place.
namespace SettingsKeys {
inline const QString BandeDurerur = QStringLiteral("bande Durerur");
inline const QString BandeDurerur1 = QStringLiteral("bande Durerur 1");
inline const QString Transceiver = QStringLiteral("Transceiver");
inline const QString Longitude = QStringLiteral("Longitude");
inline const QString Latitude = QStringLiteral("Latitude");
inline const QString TriRem = QStringLiteral("Tri_Rem");
inline const QString TriCall = QStringLiteral("Tri_Call");
inline const QString PortCom = QStringLiteral("Port Com");
inline const QString Baud = QStringLiteral("Baud");
inline const QString CheminRepertoire = QStringLiteral("Chemin Repertoire");
inline const QString Revision = QStringLiteral("Revision");
} // namespace SettingsKeys
