#pragma once

#include "AlsaSoundPlayer.h"
#include "CurlHttpClient.h"
#include "ModalCloser.h"
#include "Program.h"
#include "PseudoTerminal.h"
#include "TestSupport.h"

#include <QtWidgets>
#include <map>
#include <memory>

// The left edges of the runs of ink along a band of an image, a run ending
// where at least `gap` columns hold no ink: the starts of the words drawn there.
inline std::vector<int> inkRunStarts(const QImage& image, const QRect& band, int gap) {
    std::vector<int> starts;
    int blank = gap;
    for (int x = band.left(); x <= band.right(); ++x) {
        bool ink = false;
        for (int y = band.top(); y <= band.bottom() && !ink; ++y)
            ink = qGray(image.pixel(x, y)) < 128;
        if (ink && blank >= gap)
            starts.push_back(x);
        blank = ink ? 0 : blank + 1;
    }
    return starts;
}

// The texts of a list's lines, top to bottom.
inline QStringList lineTexts(const QListWidget& list) {
    QStringList texts;
    for (int row = 0; row < list.count(); ++row)
        texts.append(list.item(row)->text());
    return texts;
}

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
    // What the window plays goes through it.
    CountingSound counting{sound};
    QtMessageBox messages;
    SystemClock clock;
    SettingsStore settings;
    SharedState state;

private:
    std::unique_ptr<Durerur> window_;
};
