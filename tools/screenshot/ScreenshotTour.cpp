// Shows the main window with the spots of a band, the details panel of one
// spot and the memory window holding two spots, then saves a picture of the
// screen. Used by `make screenshot` under Xvfb, with the local spot server.
#include "Memoire_CL.h"
#include "Program.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
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

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: screenshot_tour <picture.png> <spot site>\n");
        return 2;
    }
    QTemporaryDir settingsFolder;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsFolder.path());
    prepareProgram();
    QApplication app(argc, argv);
    applyProgramStyle();

    const QString spotSite = QString::fromLocal8Bit(argv[2]);
    Program program([&spotSite](Configuration& config) { config.setSpotSite(spotSite); },
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
    window.Liste_Stations->setCurrentRow(7);
    window.Memoriser_Click();
    window.Liste_Stations->setCurrentRow(3);
    window.Memoriser_Click();
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
    return 0;
}
