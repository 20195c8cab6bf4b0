// Starts the program's main window exactly as the program does, with the
// settings store in a folder given as first argument, and reports its peak
// resident memory on standard output as soon as the window is shown.
#include "Program.h"

#include <QApplication>
#include <QSettings>
#include <QTimer>
#include <cstdio>
#include <sys/resource.h>

int main(int argc, char** argv) {
    if (argc < 2)
        return 2;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QString::fromLocal8Bit(argv[1]));
    prepareProgram();
    QApplication app(argc, argv);
    applyProgramStyle();

    Program program;
    program.window().show();
    QTimer::singleShot(0, [] {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        std::printf("shown %ld\n", usage.ru_maxrss);
        std::fflush(stdout);
        QApplication::quit();
    });
    return app.exec();
}
