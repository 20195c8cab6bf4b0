// The serial port and speed menus of the main window, and the port's restore
// at start-up.
#include "Durerur.h"
#include "LeadingNumber.h"
#include "MessageBox.h"
#include "SerialLink.h"
#include "SerialPortChoices.h"
#include "SettingsStore.h"

#include <QAction>
#include <QLabel>
#include <QTimer>

namespace {

const QString NoPort = QStringLiteral("0");

// Index in SpeedChoices of a line settings text, or -1.
int speedIndexOf(const QString& settings) {
    for (std::size_t i = 0; i < SpeedChoices.size(); ++i) {
        if (settings == QLatin1String(SpeedChoices[i].settings))
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace

int Durerur::portNumberShown() const {
    return static_cast<int>(leadingNumber(NumPort->text()));
}

// Ticks the entry of port n (0 for "Sans") and unticks the others.
void Durerur::tickPort(int n) {
    Mnu_SansCom->setChecked(n == 0);
    for (std::size_t i = 0; i < Mnu_Com.size(); ++i)
        Mnu_Com[i]->setChecked(static_cast<int>(i) + 1 == n);
}

// Ticks speed entry index (-1 for none) and unticks the others.
void Durerur::tickSpeed(int index) {
    for (std::size_t i = 0; i < Mnu_Speed.size(); ++i)
        Mnu_Speed[i]->setChecked(static_cast<int>(i) == index);
}

void Durerur::restorePort() {
    QString port = settings_.read(SettingsKeys::PortCom, NoPort);
    // A stored text that names no port entry counts as no port.
    bool known = port == NoPort;
    for (const PortChoice& choice : PortChoices)
        known = known || port == QLatin1String(choice.digit);
    if (!known)
        port = NoPort;
    NumPort->setText(port);
    const int n = portNumberShown();
    if (n != 0)
        platform_.serial.setPortNumber(n);
    tickPort(n);

    const QString baud = settings_.read(SettingsKeys::Baud, NoPort);
    DebitPort->setText(baud);
    if (n == 0) {
        DebitPort->setText(NoPort);
        return;
    }
    int speed = speedIndexOf(baud);
    // A port saved without a usable speed opens at the first speed; the store
    // keeps its text until the user picks one.
    if (speed < 0)
        speed = DefaultSpeedIndex;
    platform_.serial.setSettings(QString::fromLatin1(SpeedChoices[speed].settings));
    DebitPort->setText(QString::fromLatin1(SpeedChoices[speed].baud));
    tickSpeed(speed);

    platform_.serial.setRawMode();
    if (!platform_.serial.open()) {
        // Shown once the window is up; the choice stays, to be tried next time.
        const QString message =
            portFailureMessage(n, platform_.serial.lastOpenFailure(), platform_.serial.device());
        QTimer::singleShot(0, this, [this, message] { platform_.messages.show(message); });
    }
}

void Durerur::Mnu_Com_Click(int n) {
    const PortChoice& choice = PortChoices[n - 1];
    if (platform_.serial.isOpen())
        platform_.serial.close();
    platform_.serial.setPortNumber(n);
    // The port opens with the settings last given to it, neither shown nor
    // saved here; before any since start-up, silently at the first speed.
    if (platform_.serial.settings().isEmpty())
        platform_.serial.setSettings(QString::fromLatin1(SpeedChoices[DefaultSpeedIndex].settings));
    if (!platform_.serial.open()) {
        // Qt ticked the entry on its own: show the previous choice again.
        tickPort(portNumberShown());
        platform_.messages.show(
            portFailureMessage(n, platform_.serial.lastOpenFailure(), platform_.serial.device()));
        return;
    }
    tickPort(n);
    NumPort->setText(QString::fromLatin1(choice.digit));
    settings_.save(SettingsKeys::PortCom, QString::fromLatin1(choice.digit));
}

void Durerur::Mnu_SansCom_Click() {
    NumPort->setText(NoPort);
    tickPort(0);
    settings_.save(SettingsKeys::PortCom, NoPort);
    tickSpeed(-1);
    DebitPort->setText(NoPort);
    settings_.save(SettingsKeys::Baud, NoPort);
    if (platform_.serial.isOpen())
        platform_.serial.close();
}

void Durerur::Mnu_Speed_Click(int index) {
    const SpeedChoice& choice = SpeedChoices[index];
    platform_.serial.setSettings(QString::fromLatin1(choice.settings));
    tickSpeed(index);
    DebitPort->setText(QString::fromLatin1(choice.baud));
    settings_.save(SettingsKeys::Baud, QString::fromLatin1(choice.settings));
}
