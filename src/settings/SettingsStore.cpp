#include "SettingsStore.h"

#include "RegularFile.h"

#include <QDir>
#include <QFileInfo>

namespace {

// QSettings reads its file as soon as it is made, so the location is learnt
// from a store of another name in the same folder, which does not exist.
QString userIniFile() {
    const QSettings neighbour(QSettings::IniFormat, QSettings::UserScope,
                              SettingsStore::Application + QStringLiteral(".location"));
    return QFileInfo(neighbour.fileName())
        .dir()
        .filePath(SettingsStore::Application + QStringLiteral(".ini"));
}

} // namespace

const QString SettingsStore::Application = QStringLiteral("Durerur");
const QString SettingsStore::Section = QStringLiteral("Setup ");

SettingsStore::SettingsStore() : fileName_(userIniFile()) {
    if (regularOrAbsent(fileName_))
        settings_ =
            std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, Application);
}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::unusableMessage() const {
    return QStringLiteral("Le fichier des réglages ") + fileName_ +
           QStringLiteral(" n'est pas un fichier ordinaire : le programme démarre avec les "
                          "réglages par défaut et n'enregistre aucun choix.");
}

QString SettingsStore::path(const QString& key) const {
    return Section + QLatin1Char('/') + key;
}

QString SettingsStore::read(const QString& key, const QString& defaultValue) const {
    // Re-read at every call, so a file swapped since start-up is checked again.
    if (!settings_ || !regularOrAbsent(fileName_))
        return defaultValue;
    settings_->sync();
    const QString address = path(key);
    if (!settings_->contains(address))
        return defaultValue;
    const QVariant value = settings_->value(address);
    // A hand-edited file may hold commas without quotes, which QSettings reads
    // as a list: give the text back as it was written.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

void SettingsStore::save(const QString& key, const QString& value) {
    // The file may have been swapped since start-up.
    if (!settings_ || !regularOrAbsent(fileName_))
        return;
    settings_->setValue(path(key), value);
    settings_->sync();
}
