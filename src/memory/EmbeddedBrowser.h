#pragma once

#include <QString>
#include <QUrl>

class QWidget;

// The embedded web browser: a view showing one address, made by the browser
// module beside the program, which is loaded on first use.
class EmbeddedBrowser {
public:
    // The module's file name in the program directory.
    static const QString ModuleFileName;
    // The module's entry point: makes a view child of parent showing address.
    using Factory = QWidget* (*)(QWidget* parent, const QUrl& address);

    // A view of address, or null when the module cannot be loaded.
    static QWidget* open(const QString& modulePath, const QUrl& address, QWidget* parent);
};
