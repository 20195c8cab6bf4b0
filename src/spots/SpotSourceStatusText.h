#pragma once

#include <QByteArray>
#include <QString>

// The status line of the main window, in French, from what the local spot
// server tells of its spot source at /status ("Spots : démonstration",
// "Spots : en direct de dxc.example.org:7300 (312 reçus)", "Spots :
// dxc.example.org refuse l'indicatif F4XYZ/P", ...); empty when the site
// told nothing (a site of the web, or none answering).
QString spotSourceStatusText(const QByteArray& json);

// The demonstration status while no callsign is set: what to set, and where,
// for live spots (both are needed).
inline const QString DemonstrationStatus = QStringLiteral("Spots : démonstration");
inline const QString FirstRunStatus =
    QStringLiteral("Spots de démonstration — indiquez votre indicatif et un nœud dans Réglages "
                   "pour les spots en direct");
