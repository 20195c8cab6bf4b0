#include "Station.h"

#include "CoordinateText.h"
#include "MessageBox.h"
#include "NamedWidgets.h"
#include "SettingsStore.h"
#include "SharedState.h"
#include "WindowGeometry.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

Station::Station(SettingsStore& settings, SharedState& state, MessageBox& messages, QWidget* parent)
    : QWidget(parent, Qt::Window), settings_(settings), state_(state), messages_(messages) {
    setObjectName(QStringLiteral("Station"));
    setWindowTitle(QStringLiteral("Coordonnées"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(336, 232);

    auto* frame1 = new QGroupBox(this);
    frame1->setObjectName(QStringLiteral("Frame1"));
    frame1->setGeometry(8, 4, 320, 44);
    QLabel* heading = makeCaptioned<QLabel>(
        frame1, "Label2", QStringLiteral("Coordonnées de la station"), {8, 8, 304, 30});
    QFont font = heading->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.4);
    heading->setFont(font);
    heading->setAlignment(Qt::AlignCenter);

    auto* frame2 = new QGroupBox(this);
    frame2->setObjectName(QStringLiteral("Frame2"));
    frame2->setGeometry(8, 52, 320, 132);
    makeCaptioned<QLabel>(frame2, "Label4", QStringLiteral("Latitude"), {16, 8, 120, 20});
    La_Lat = new QLineEdit(frame2);
    La_Lat->setObjectName(QStringLiteral("La_Lat"));
    La_Lat->setGeometry(16, 30, 120, 24);
    makeCaptioned<QLabel>(frame2, "Label1", QStringLiteral("ex : 48.52N"), {16, 58, 120, 20});
    makeCaptioned<QLabel>(frame2, "Label3", QStringLiteral("Longitude"), {176, 8, 120, 20});
    La_Long = new QLineEdit(frame2);
    La_Long->setObjectName(QStringLiteral("La_Long"));
    La_Long->setGeometry(176, 30, 120, 24);
    makeCaptioned<QLabel>(frame2, "Label6", QStringLiteral("ex : 2.31E"), {176, 58, 120, 20});
    makeCaptioned<QLabel>(frame2, "Label5", QStringLiteral("2 chiffres apres la virgule "),
                          {16, 96, 288, 20});

    Enregistrer = new QPushButton(QStringLiteral("Enregistrer"), this);
    Enregistrer->setObjectName(QStringLiteral("Enregistrer"));
    Enregistrer->setGeometry(112, 192, 112, 30);
    connect(Enregistrer, &QPushButton::clicked, this, &Station::Enregistrer_Click);

    Form_Load();
}

void Station::Form_Load() {
    placeBelowCentre(*this, WindowOffsets::Station);
    La_Long->setText(settings_.read(SettingsKeys::Longitude, DefaultLongitude));
    La_Lat->setText(settings_.read(SettingsKeys::Latitude, DefaultLatitude));
}

void Station::Enregistrer_Click() {
    const QString longitude = La_Long->text();
    const QString latitude = La_Lat->text();
    if (longitude.isEmpty()) {
        messages_.show(QStringLiteral("Entrez une longitude ex 2.31E"));
        return;
    }
    if (latitude.isEmpty()) {
        messages_.show(QStringLiteral("Entrez une latitude ex 48.53N"));
        return;
    }
    settings_.save(SettingsKeys::Longitude, longitude);
    settings_.save(SettingsKeys::Latitude, latitude);
    state_.Longitude_Station = longitudeToSigned(longitude);
    state_.Latitude_Station = latitudeToSigned(latitude);
    close();
}
