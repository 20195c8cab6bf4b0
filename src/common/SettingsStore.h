#pragma once

#include <QSettings>
#include <QString>

// The per-user settings store: text values of application "Durerur", section
// "Setup " (the trailing blank belongs to the name), in an INI file.
class SettingsStore {
public:
    static const QString Application;
    static const QString Section;

    // The store of the current user (QSettings' user INI location).
    SettingsStore();

    // The stored text, or the default when the key is absent. An empty stored
    // text is returned as empty. Never creates a key.
    QString read(const QString& key, const QString& defaultValue) const;
    // Creates or replaces the key; written to disk at once.
    void save(const QString& key, const QString& value);

    QString fileName() const { return settings_.fileName(); }

private:
    QString path(const QString& key) const;

    mutable QSettings settings_;
};
