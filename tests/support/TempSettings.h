#pragma once

#include <QString>
#include <QTemporaryDir>

// Points QSettings' per-user INI location at a private temporary folder, so
// that tests never touch the user's real settings.
class TempSettings {
public:
    // Called once by the test main, before anything reads a setting.
    static void installPrivateLocation();
    // Removes every stored setting: the next read sees an empty store.
    static void clear();
    // The INI file of application "Durerur".
    static QString iniFile();
};
