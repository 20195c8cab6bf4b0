#pragma once

#include <QWidget>

class Configuration;
class QPushButton;
class QWebEngineView;

// The callsign lookup window: the lookup site's page of the selected spot's
// callsign, loaded once when the window is created. Modeless; destroyed
// when closed.
class QRZ_Web : public QWidget {
    Q_OBJECT

public:
    QRZ_Web(const Configuration& config, const QString& ligneSelection, QWidget* parent = nullptr);

    QWebEngineView* WebBrowser1 = nullptr;
    QPushButton* Command1 = nullptr;

    // "Quitter": closes and destroys the window, browser included.
    void Command1_Click();

private:
    void Form_Load(const QString& lookupSite, const QString& ligneSelection);
};
