#pragma once

#include <QString>

// The texts and file names of the spot refresh and its filters.
namespace SpotTexts {

inline const QString NoAnswer =
    QStringLiteral("Pas de reponse du site vérifiez votre liaison internet\r\n"
                   "            Appuyez de nouveau sur Afficher");
// A part of the program is missing or broken (%1: which, and how).
inline const QString ProgramIncomplete =
    QStringLiteral("Pelk_Dedirad est incomplet : %1 — réinstallez le paquet (sudo apt-get "
                   "install --reinstall pelk-dedirad)");
inline const QString EnterCallsign = QStringLiteral("Entrez un indicatif");
inline const QString EnterText = QStringLiteral("Entrez un Texte");

// Played when the site does not answer.
inline const QString NoAnswerSound = QStringLiteral("ringin.wav");
// Played for a spot that meets an alert, and by the alert test.
inline const QString AlertSound = QStringLiteral("ringout.wav");

// Appended to the hours and minutes of the last update.
inline const QString UniversalTime = QStringLiteral(" TU");

} // namespace SpotTexts
