#pragma once

#include <QtCore>

// Points QSettings' per-user INI location at a private temporary folder, so
// that tests never touch the user's real settings.
class TempSettings {
public:
    // Called once by the test main, before anything reads a setting.
    static void installPrivateLocation() {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder().path());
    }
    // Removes every stored setting: the next read sees an empty store.
    static void clear() { QFile::remove(iniFile()); }
    // The INI file of application "Durerur".
    static QString iniFile() { return QDir(folder().path()).filePath("Durerur.ini"); }

private:
    static QTemporaryDir& folder() {
        static QTemporaryDir dir;
        return dir;
    }
};
