// pelk_browser: the lookup window with its embedded browser, in a program of
// its own so that the main program never loads the browser engine and the
// OpenGL stack it needs. The main program starts it with the first lookup
// and writes one command per line on its standard input:
//   show <TAB> caption <TAB> address   opens the window on the address, or
//                                     brings the open one forward unchanged
// It answers on its standard output, one word per line: "shown" (a new
// window), "raised" (the open one), "loaded" or "failed <TAB> why, in French"
// (the page, a failed one replaced by a page saying why), "closed" (the
// window closed by the user). It ends when its input ends.
#include "BrowserCommands.h"
#include "QRZ_Web.h"

#include <QApplication>
#include <QPointer>
#include <QSocketNotifier>
#include <QStyleFactory>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <csignal>
#include <cstdio>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

void report(const char* word) {
    std::printf("%s\n", word);
    std::fflush(stdout);
}

// The browser engine's network errors, as the user is told them.
QString failureReason(const QWebEngineLoadingInfo& loading) {
    switch (loading.errorCode()) {
    case -102: // ERR_CONNECTION_REFUSED
        return QStringLiteral("connexion refusée");
    case -105: // ERR_NAME_NOT_RESOLVED
    case -137: // ERR_NAME_RESOLUTION_FAILED
        return QStringLiteral("site inconnu, ou pas de liaison internet");
    case -106: // ERR_INTERNET_DISCONNECTED
        return QStringLiteral("pas de liaison internet");
    case -7:   // ERR_TIMED_OUT
    case -118: // ERR_CONNECTION_TIMED_OUT
        return QStringLiteral("délai dépassé");
    default:
        return QStringLiteral("erreur %1").arg(loading.errorCode());
    }
}

// The page of the lookup, or a French page that says why it cannot be shown
// (the engine's own is in English and does not name the call).
QWidget* makeView(QWidget* parent, const QUrl& address) {
    auto* view = new QWebEngineView(parent);
    QObject::connect(view->page(), &QWebEnginePage::loadingChanged, view,
                     [view, address](const QWebEngineLoadingInfo& loading) {
                         if (loading.url() != address)
                             return; // the error page itself
                         if (loading.status() == QWebEngineLoadingInfo::LoadSucceededStatus) {
                             report("loaded");
                         } else if (loading.status() == QWebEngineLoadingInfo::LoadFailedStatus) {
                             const QString text =
                                 QStringLiteral("%1 ne peut pas être affiché : %2")
                                     .arg(address.toString(), failureReason(loading));
                             view->setHtml(QStringLiteral("<html><body><p>%1</p></body></html>")
                                               .arg(text.toHtmlEscaped()));
                             report(("failed\t" + text).toUtf8().constData());
                         }
                     });
    view->load(address);
    return view;
}

class LookupWindowHost {
public:
    void run(const BrowserCommand& command) {
        if (window_ != nullptr) {
            report("raised");
        } else {
            window_ = new QRZ_Web(command.caption, command.address, makeView);
            QObject::connect(window_, &QObject::destroyed, [] { report("closed"); });
            window_->show();
            report("shown");
        }
        window_->raise();
        window_->activateWindow();
    }

private:
    QPointer<QRZ_Web> window_;
};

} // namespace

int main(int argc, char** argv) {
    // Ends with the program that started it, even one that died.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() == 1)
        return 0;
    // The browser shares its OpenGL context with the widgets.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // The browser's sandbox refuses to start for root; every other user keeps it.
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    // The same name as the main program: the desktop groups the two windows.
    QCoreApplication::setApplicationName(QStringLiteral("Pelk_Dedirad"));
    QGuiApplication::setDesktopFileName(QStringLiteral("pelk-dedirad"));
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    // Looks like the main program's windows.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    LookupWindowHost host;
    BrowserCommandReader reader;
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char buffer[4096];
        const ssize_t got = read(STDIN_FILENO, buffer, sizeof buffer);
        if (got <= 0) {
            input.setEnabled(false);
            QApplication::quit();
            return;
        }
        for (const BrowserCommand& command : reader.feed(QByteArray(buffer, got)))
            host.run(command);
    });
    return app.exec();
}
