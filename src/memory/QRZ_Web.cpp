#include "QRZ_Web.h"

#include "WindowGeometry.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The page's size when the screen has room for it, and the least it keeps
// on a small screen.
constexpr QSize BrowserSize{760, 480};
constexpr QSize SmallestBrowserSize{320, 200};

QWidget* linkTo(const QUrl& address, QWidget* parent) {
    auto* link = new QLabel(parent);
    const QString text = address.toString(QUrl::FullyEncoded).toHtmlEscaped();
    link->setText(QStringLiteral("<a href=\"%1\">%1</a>").arg(text));
    link->setOpenExternalLinks(true);
    link->setAlignment(Qt::AlignCenter);
    return link;
}

} // namespace

QRZ_Web::QRZ_Web(const QString& caption, const QUrl& address, const BrowserMaker& makeBrowser,
                 QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("QRZ_Web"));
    setWindowTitle(caption);
    setAttribute(Qt::WA_DeleteOnClose);

    Command1 = new QPushButton(QStringLiteral("Quitter"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    connect(Command1, &QPushButton::clicked, this, &QRZ_Web::Command1_Click);

    Form_Load(address, makeBrowser);
}

void QRZ_Web::Form_Load(const QUrl& address, const BrowserMaker& makeBrowser) {
    if (makeBrowser)
        WebBrowser1 = makeBrowser(this, address);
    if (WebBrowser1 == nullptr)
        WebBrowser1 = linkTo(address, this);
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    WebBrowser1->setMinimumSize(BrowserSize);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addStretch();
    auto* windowLayout = new QVBoxLayout(this);
    windowLayout->addWidget(WebBrowser1);
    windowLayout->addLayout(buttons);

    adjustSize();
    WebBrowser1->setMinimumSize(SmallestBrowserSize);
    windowLayout->activate();
    placeBelowCentre(*this, WindowOffsets::QRZ_Web);
}

void QRZ_Web::Command1_Click() {
    close();
}
