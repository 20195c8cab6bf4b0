#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <optional>

// One spot announced by a DX cluster node, as it writes it:
// "DX de SPOTTER: FREQ DXCALL COMMENT HHMMZ [LOC]".
struct ClusterSpot {
    QByteArray spotter;
    QByteArray frequency; // in kHz, as written ("14025.0")
    double kHz = 0;
    QByteArray dx;
    QByteArray comment;
    int minuteOfDay = 0; // UTC, from HHMM
};

// The spot of a line without its line end; nothing for any other line (node
// messages, announcements, prompts, garbage). A line is taken only when it is
// printable ASCII throughout; trailing bells and blanks are allowed.
std::optional<ClusterSpot> parseClusterLine(QByteArrayView line);
