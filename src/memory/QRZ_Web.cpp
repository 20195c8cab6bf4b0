#include "QRZ_Web.h"

#include "Configuration.h"
#include "LookupAddress.h"
#include "WindowPlacement.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWebEngineView>

namespace {

// 2700 twips below the centre of the screen.
constexpr int OffsetBelowCentre = 180;
constexpr QSize BrowserSize{760, 480};

} // namespace

QRZ_Web::QRZ_Web(const Configuration& config, const QString& ligneSelection, QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("QRZ_Web"));
    setWindowTitle(config.lookupSiteName());
    setAttribute(Qt::WA_DeleteOnClose);

    WebBrowser1 = new QWebEngineView(this);
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    WebBrowser1->setMinimumSize(BrowserSize);
    Command1 = new QPushButton(QStringLiteral("Quitter"), this);
    Command1->setObjectName(QStringLiteral("Command1"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addStretch();
    auto* windowLayout = new QVBoxLayout(this);
    windowLayout->addWidget(WebBrowser1);
    windowLayout->addLayout(buttons);

    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });

    Form_Load(config.lookupSite(), ligneSelection);
}

void QRZ_Web::Form_Load(const QString& lookupSite, const QString& ligneSelection) {
    adjustSize();
    placeBelowCentre(*this, OffsetBelowCentre);
    WebBrowser1->load(lookupAddress(lookupSite, ligneSelection));
}

void QRZ_Web::Command1_Click() {
    close();
}
