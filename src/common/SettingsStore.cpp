#include "SettingsStore.h"

const QString SettingsStore::Application = QStringLiteral("Durerur");
const QString SettingsStore::Section = QStringLiteral("Setup ");

SettingsStore::SettingsStore()
    : settings_(QSettings::IniFormat, QSettings::UserScope, Application) {}

QString SettingsStore::path(const QString& key) const {
    return Section + QLatin1Char('/') + key;
}

QString SettingsStore::read(const QString& key, const QString& defaultValue) const {
    settings_.sync();
    const QString address = path(key);
    if (!settings_.contains(address))
        return defaultValue;
    const QVariant value = settings_.value(address);
    // A hand-edited file may hold commas without quotes, which QSettings reads
    // as a list: give the text back as it was written.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

void SettingsStore::save(const QString& key, const QString& value) {
    settings_.setValue(path(key), value);
    settings_.sync();
}
