#pragma once

#include <QString>

// What the settings window accepts in each field, before anything is saved.
namespace SettingsChecks {

// An amateur callsign, with a prefix or suffix after "/" and an SSID after
// "-" allowed: F4ABC, F4ABC-7, EA8/G4XYZ, F4ABC/P.
bool isCallsign(const QString& text);
// "host:port", or up to three of them separated by commas; empty allowed
// (demonstration spots).
bool isNodeList(const QString& text);
bool isHostPort(const QString& text);
// A web site given by its scheme and host (and port), nothing after:
// http://127.0.0.1:8073, https://www.qrz.com.
bool isSite(const QString& text);
// An http or https address of a file on a host: "https://host[:port]/path".
bool isFileAddress(const QString& text);
// A device by its absolute path: /dev/ttyUSB0, /dev/serial/by-id/...
bool isDevice(const QString& text);

} // namespace SettingsChecks
