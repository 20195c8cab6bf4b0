#pragma once

#include "SerialLink.h"

#include <QString>
#include <array>

// The entries of the menu "Port Com" after "Sans": port number n is entry n - 1.
struct PortChoice {
    const char* objectName;
    const char* caption;
    const char* digit;
    const char* failureMessage;
};

inline constexpr std::array<PortChoice, 6> PortChoices{{
    {"Mnu_Com1", "Com 1", "1", "Le port com1 n'existe pas"},
    {"Mnu_Com2", "Com 2", "2", "Le port com2 n'existe pas"},
    {"Mnu_Com3", "Com 3", "3", "Le port Com3 n'existe pas"},
    {"Mnu_Com4", "Com 4", "4", "Le port Com4 n'existe pas"},
    {"Mnu_Com5", "Com 5", "5", "Le port Com5 n'existe pas"},
    {"Mnu_Com6", "Com 6", "6", "Le port Com6 n'existe pas"},
}};

// The entries of the menu "Baud".
struct SpeedChoice {
    const char* objectName;
    const char* caption;
    const char* settings; // line settings, as saved under "Baud"
    const char* baud;     // as shown by `DebitPort`
};

inline constexpr std::array<SpeedChoice, 4> SpeedChoices{{
    {"Mnu_4800", "4800 Bd", "4800,n,8,1", "4800"},
    {"Mnu_9600", "9600 Bd", "9600,n,8,1", "9600"},
    {"Mnu_19200", "19200 Bd", "19200,n,8,1", "19200"},
    {"Mnu_57600", "57600 Bd", "57600,n,8,1", "57600"},
}};

// A port opened while no speed was ever chosen uses the first speed.
inline constexpr int DefaultSpeedIndex = 0;

// What the user is told when port entry n cannot open its device: a device
// that is not there keeps the entry's own message; one held by another
// program, or that the user may not open, says so, since looking for a
// missing port would send the user the wrong way.
QString portFailureMessage(int n, SerialLink::OpenFailure failure, const QString& device);
