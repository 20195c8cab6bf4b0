#pragma once

#include "AlsaSoundPlayer.h"
#include "CurlHttpClient.h"
#include "ModalCloser.h"
#include "Program.h"
#include "PseudoTerminal.h"

#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <memory>

// A main window over the real platform parts: an empty settings store in a
// private folder, a temporary program directory holding copies of the data
// files, the sounds captured in a file, the serial ports as configured with
// "Com 1" one side of a pseudo-terminal.
class DurerurFixture : public ::testing::Test {
protected:
    DurerurFixture();
    ~DurerurFixture() override;

    // The window, created at first use with the store as it stands.
    Durerur& window();
    // Closes the window, stores exactly these keys and starts a new window.
    void restart(const std::map<QString, QString>& stored);
    // Closes and destroys the window, as the user closing it would.
    void closeWindow();

    // What the settings store holds, read straight from its file.
    QString stored(const QString& key) const;
    QStringList storedKeys() const;
    // The program's copy of the country data, the user's in "donnees" and a
    // stand-in for Debian's in "hamradio-files", all in the program folder.
    CountryFolders countryFolders() const;
    // The raw file that receives what the sound player plays.
    QString soundCapture() const;

    PseudoTerminal pty;
    QTemporaryDir programFolder;
    ProgramDirectory directory;
    Configuration config;
    CurlHttpClient http;
    QtSerialLink serial;
    AlsaSoundPlayer sound;
    QtMessageBox messages;
    SystemClock clock;
    SettingsStore settings;
    SharedState state;

private:
    std::unique_ptr<Durerur> window_;
};
