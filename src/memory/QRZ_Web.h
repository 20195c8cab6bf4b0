#pragma once

#include <QUrl>
#include <QWidget>
#include <functional>

class QPushButton;

// The callsign lookup window: the lookup site's page of the selected spot's
// callsign, loaded once when the window is created. Modeless; destroyed
// when closed.
class QRZ_Web : public QWidget {
    Q_OBJECT

public:
    // Makes the view that shows the page, child of parent.
    using BrowserMaker = std::function<QWidget*(QWidget* parent, const QUrl& address)>;

    // caption: the lookup site's name. Without makeBrowser, the window shows
    // a link to the page that the system's browser opens.
    QRZ_Web(const QString& caption, const QUrl& address, const BrowserMaker& makeBrowser = {},
            QWidget* parent = nullptr);

    QWidget* WebBrowser1 = nullptr;
    QPushButton* Command1 = nullptr;

    // "Quitter": closes and destroys the window, browser included.
    void Command1_Click();

private:
    void Form_Load(const QUrl& address, const BrowserMaker& makeBrowser);
};
