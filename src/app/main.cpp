#include "Program.h"

#include <QApplication>

int main(int argc, char** argv) {
    prepareProgram();
    QApplication app(argc, argv);
    applyProgramStyle();

    Program program;
    program.window().show();
    return app.exec();
}
