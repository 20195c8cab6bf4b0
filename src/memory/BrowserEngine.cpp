#include "BrowserEngine.h"

#include <QCoreApplication>
#include <unistd.h>

void prepareBrowserEngine() {
    // The browser shares its OpenGL context with the widgets.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // The browser's sandbox refuses to start for root; every other user keeps it.
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
}
