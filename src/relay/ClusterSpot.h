#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QDateTime>
#include <optional>

// One spot announced by a DX cluster node, as it writes it:
// "DX de SPOTTER: FREQ DXCALL COMMENT HHMMZ [FIELDS]".
struct ClusterSpot {
    QByteArray spotter;
    QByteArray frequency; // kHz with one decimal, at most 8 characters ("14025.0")
    double kHz = 0;
    QByteArray dx;
    QByteArray comment;  // one byte per character (Latin-1), as the pages hold it
    int minuteOfDay = 0; // UTC, from HHMM
    QDate date;          // when the node gives it (its list of last spots)
};

// The spot of a line without its line end; nothing for any other line (node
// messages, announcements, prompts, garbage), or for a frequency that does
// not fit the 8 columns of a page.
//
// Lines as real nodes send them: trailing bells and blanks; a comment in
// UTF-8 (read as Latin-1 when it is not valid UTF-8), whose letters beyond
// Latin-1 become "?"; the fields a user's node settings put after the time
// (zones, locator, state, country), and the matching field DXSpider puts at
// the end of the comment for them, are not part of the comment. Control
// characters anywhere else refuse the line.
std::optional<ClusterSpot> parseClusterLine(QByteArrayView line);

// A spot of the node's list of its last spots (DXSpider's "sh/dx"):
// "FREQ DXCALL D-Mon-YYYY HHMMZ COMMENT <SPOTTER>", dated.
std::optional<ClusterSpot> parseListedSpot(QByteArrayView line);

// When the spot was heard: its date and time when the node gives them, else
// its time of day on the day of its arrival, the day before for a time more
// than twelve hours ahead of it (a spot from before midnight).
QDateTime heardAt(const ClusterSpot& spot, const QDateTime& receivedUtc);
