// Shows the main window with the spots of a band coloured by a small log,
// the details panel of one spot and the memory window holding two spots, then
// saves a picture of the screen; then, when asked, one of the band map. Used by `make screenshot`
// under Xvfb, with the local spot server.
#include "CarteBande.h"
#include "Memoire_CL.h"
#include "Program.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdio>

namespace {

void settle(int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

// A European's log: much of Europe worked and confirmed on 20 m, a few
// countries worked only, Japan on 40 m only; the rest of the world is new.
QByteArray sampleLog() {
    QByteArray adif = "Pelk_Dedirad screenshot log\n<EOH>\n";
    const auto contact = [&adif](const char* call, const char* band, const char* mode,
                                 bool confirmed) {
        adif += "<CALL:" + QByteArray::number(qstrlen(call)) + '>' + call +
                "<BAND:" + QByteArray::number(qstrlen(band)) + '>' + band +
                "<MODE:" + QByteArray::number(qstrlen(mode)) + '>' + mode +
                (confirmed ? "<QSL_RCVD:1>Y" : "") + "<EOR>\n";
    };
    for (const char* call : {"F5AAA", "DL1AAA", "G3AAA", "ON4AAA", "PA3AAA", "EA5AAA", "I2AAA",
                             "HB9AAA", "OE1AAA", "SP9AAA", "OK1AAA", "GM4AAA", "EI5AAA"}) {
        contact(call, "20m", "SSB", true);
        contact(call, "20m", "CW", true);
        contact(call, "20m", "FT8", true);
    }
    for (const char* call : {"UA3AAA", "LZ1AAA", "SV1AAA", "YO3AAA", "HA5AAA", "W1AAA"})
        contact(call, "20m", "SSB", false);
    contact("JA1AAA", "40m", "CW", true);
    return adif;
}

// The band map of the same spots, alone.
bool saveBandMap(Durerur& window, const QString& picture) {
    window.Mnu_Carte->trigger();
    QWidget* map = window.bandMap().window();
    map->resize(460, 640);
    map->move(8, 8);
    map->raise();
    settle(1500);
    const QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0);
    return screen.copy(map->frameGeometry()).save(picture);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: screenshot_tour <picture.png> <spot site> [<map.png>]\n");
        return 2;
    }
    QTemporaryDir settingsFolder;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsFolder.path());
    prepareProgram();
    QApplication app(argc, argv);
    applyProgramStyle();

    const QString spotSite = QString::fromLocal8Bit(argv[2]);
    const QString logPath = settingsFolder.filePath(QStringLiteral("station.adi"));
    QFile log(logPath);
    if (!log.open(QIODevice::WriteOnly) || log.write(sampleLog()) < 0)
        return 1;
    log.close();
    Program program(
        [&spotSite, &logPath](Configuration& config) {
            config.setSpotSite(spotSite);
            config.setValue(ConfigKey::AdifLog, logPath);
        },
        QStringLiteral("null"));
    program.settings.save(QStringLiteral("Latitude"), QStringLiteral("48.52N"));
    program.settings.save(QStringLiteral("Longitude"), QStringLiteral("2.31E"));
    program.settings.save(QStringLiteral("bande Durerur"), QStringLiteral("5"));
    Durerur& window = program.window();
    window.show();
    window.move(8, 8);
    settle(300);
    window.Afficher_Click();
    if (window.Liste_Stations->count() < 8) {
        std::fprintf(stderr, "screenshot_tour: no spots from %s\n", argv[2]);
        return 1;
    }
    // The log is read off the window's thread; the list is coloured then.
    for (int waited = 0; window.Etat_Journal->isHidden() && waited < 5000; waited += 100)
        settle(100);
    window.Liste_Stations->setCurrentRow(7);
    window.Memoriser_Click();
    window.Liste_Stations->setCurrentRow(3);
    window.Memoriser_Click();
    // The details panel and what a contact would bring, for the first spot.
    window.Liste_Stations->setCurrentRow(0);
    window.Liste_Stations_Click();
    window.Voir_Mem_Click();
    // Beside the main window rather than over its details panel.
    QWidget* memory = window.memoryWindow();
    memory->adjustSize();
    memory->move(window.frameGeometry().right() + 8, window.y() + 120);
    settle(500);

    const QRect area = window.frameGeometry().united(memory->frameGeometry());
    const QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0);
    if (!screen.copy(area.adjusted(-4, -4, 4, 4)).save(QString::fromLocal8Bit(argv[1])))
        return 1;
    return argc > 3 && !saveBandMap(window, QString::fromLocal8Bit(argv[3])) ? 1 : 0;
}
