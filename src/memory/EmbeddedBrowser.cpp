#include "EmbeddedBrowser.h"

#include <QLibrary>

const QString EmbeddedBrowser::ModuleFileName = QStringLiteral(PELK_BROWSER_MODULE);

QWidget* EmbeddedBrowser::open(const QString& modulePath, const QUrl& address, QWidget* parent) {
    // Loaded once and kept for the rest of the run.
    QLibrary module(modulePath);
    const auto factory = reinterpret_cast<Factory>(module.resolve("pelk_openEmbeddedBrowser"));
    return factory == nullptr ? nullptr : factory(parent, address);
}
