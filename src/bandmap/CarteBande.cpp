#include "CarteBande.h"

#include "BandTable.h"
#include "NamedWidgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

CarteBande::CarteBande(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Carte_Bande"));
    setWindowTitle(QStringLiteral("Carte de bande"));
    setAccessibleName(QStringLiteral("Carte de bande"));
    Bande_Carte = makeNamed<QComboBox>(this, "Bande_Carte");
    for (const AmateurBand& band : AmateurBands)
        Bande_Carte->addItem(QString::fromLatin1(band.adifName));
    Check_Continent = makeNamed<QCheckBox>(this, "Check_Continent");
    Check_Continent->setText(QStringLiteral("Spotteurs de mon continent"));
    Etat_Carte = makeNamed<QLabel>(this, "Etat_Carte");
    Etat_Carte->setTextFormat(Qt::PlainText);
    Etat_Carte->setWordWrap(true);
    Vue_Carte = new BandMapView;
    auto* choices = new QHBoxLayout;
    choices->addWidget(Bande_Carte);
    choices->addWidget(Check_Continent, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    auto* crowded = new QScrollArea(this);
    crowded->setWidget(Vue_Carte);
    crowded->setWidgetResizable(true);
    crowded->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    crowded->setFrameShape(QFrame::NoFrame);
    connect(Vue_Carte, &BandMapView::entryFocused, crowded,
            [crowded](QWidget* entry) { crowded->ensureWidgetVisible(entry); });
    layout->addWidget(crowded, 1);
    layout->addWidget(Etat_Carte);
}
