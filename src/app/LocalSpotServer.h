#pragma once

#include "LocalHelper.h"
#include "ProgramDirectory.h"

#include <QString>
#include <optional>

// The spot server that lies beside the program, run for as long as the
// program when the spot site is its local address and nothing answers there
// yet. Installed or not, the program then always has a spot source.
class LocalSpotServer {
public:
    static const QString ProgramName;

    LocalSpotServer(const ProgramDirectory& directory, const QString& spotSite);

    bool started() const { return helper_.started(); }
    // Starts the server again when the spot site is local and nothing answers
    // there (it was killed, or the copy of the program that ran it has
    // ended); true when it answers now, after a short wait.
    bool revive();
    // Stops the server it runs and starts one for this site (the settings
    // changed: another node, another callsign), when the site is local.
    void restart(const QString& spotSite);

    // The port of a spot site on this machine ("http://127.0.0.1:8073",
    // "http://localhost:8073"); nothing for any other site.
    static std::optional<quint16> localPort(const QString& spotSite);

private:
    QString server_;
    std::optional<quint16> port_;
    LocalHelper helper_;
};
