#pragma once

#include <QWidget>

class Configuration;
class QPushButton;

// The callsign lookup window: the lookup site's page of the selected spot's
// callsign, loaded once when the window is created. Modeless; destroyed
// when closed.
class QRZ_Web : public QWidget {
    Q_OBJECT

public:
    // browserModule: the path of the embedded browser's module.
    QRZ_Web(const Configuration& config, const QString& ligneSelection,
            const QString& browserModule, QWidget* parent = nullptr);

    // The embedded browser; without its module, a link to the page that the
    // system's browser opens.
    QWidget* WebBrowser1 = nullptr;
    QPushButton* Command1 = nullptr;

    // "Quitter": closes and destroys the window, browser included.
    void Command1_Click();

private:
    void Form_Load(const QString& lookupSite, const QString& ligneSelection,
                   const QString& browserModule);
};
