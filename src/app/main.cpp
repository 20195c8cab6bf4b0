#include "AlsaSoundPlayer.h"
#include "BrowserEngine.h"
#include "Configuration.h"
#include "CurlHttpClient.h"
#include "Durerur.h"
#include "ProgramDirectory.h"
#include "QtMessageBox.h"
#include "QtSerialLink.h"
#include "SettingsStore.h"
#include "SharedState.h"
#include "SystemClock.h"

#include <QApplication>
#include <QStyleFactory>

int main(int argc, char** argv) {
    prepareBrowserEngine();
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    const ProgramDirectory directory = ProgramDirectory::ofExecutable();
    const Configuration config = Configuration::load(directory.file(Configuration::FileName));

    CurlHttpClient http;
    QtSerialLink serial(config);
    AlsaSoundPlayer sound;
    QtMessageBox messages;
    SystemClock clock;
    SettingsStore settings;
    SharedState state;

    Durerur window(state, settings, config, directory,
                   Platform{http, serial, sound, messages, clock});
    window.show();
    return app.exec();
}
