#pragma once

#include "BandMapView.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;

// The window "Carte de bande": the band the radio is on, every spot of it
// heard lately at its frequency; a band chosen here when the radio cannot be
// read; the filter on the spotters' continent; its own status line.
class CarteBande : public QWidget {
    Q_OBJECT

public:
    explicit CarteBande(QWidget* parent = nullptr);

    QComboBox* Bande_Carte = nullptr;
    QCheckBox* Check_Continent = nullptr;
    QLabel* Etat_Carte = nullptr;
    BandMapView* Vue_Carte = nullptr;
};
