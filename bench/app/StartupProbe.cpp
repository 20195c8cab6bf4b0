// Starts the program's main window exactly as the program does, with the
// settings store in a folder given as first argument, and reports its peak
// resident memory on standard output as soon as the window is shown.
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
#include <QSettings>
#include <QStyleFactory>
#include <QTimer>
#include <cstdio>
#include <sys/resource.h>

int main(int argc, char** argv) {
    if (argc < 2)
        return 2;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QString::fromLocal8Bit(argv[1]));
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
    QTimer::singleShot(0, [] {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        std::printf("shown %ld\n", usage.ru_maxrss);
        std::fflush(stdout);
        QApplication::quit();
    });
    return app.exec();
}
