#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

// Where a spot was heard.
enum class SpotSource {
    Page,    // a row of a spot page, or a line of the list made from one
    Cluster, // a spot a cluster node announced, as the relay keeps it
    Decode,  // a station WSJT-X decoded
};

// One spot, whichever source it comes from; the spot list, the memory, the
// tuning, the lookup and the log's status all take this value.
struct Spot {
    QString call;
    // Kilohertz as the source writes it ("14025.0"), blanks around allowed.
    QString frequency;
    // The time as the source writes it ("06 Dec 14:05Z").
    QString time;
    QString spotter;
    QString remark;
    SpotSource source = SpotSource::Page;

    // Nothing for a frequency that is not a number.
    double kHz() const;
    // The index in AmateurBands of the band the spot lies in.
    std::optional<int> band() const;
};

// The line shown in the spot list: a space, the time cut or padded to 13
// characters, a space, the call cut or padded to 12, a space, the frequency
// right-aligned in 8, a space, the spotter left-aligned in 11, a space, the
// remark.
QString spotLine(const Spot& spot);

// The spot of a line of the spot list (or of the memory window, which holds
// the same lines), each field without the blanks of its column: the only
// reader of the line's columns.
Spot spotOfLine(QStringView line);

// The call as its column of the line shows it, trailing blanks included.
QString callColumn(const Spot& spot);

// The line put into the sorted list, its sort field first: Mode_Tri 1 by date
// (the spot line itself), 2 by DX, 3 by frequency.
QString sortLine(const Spot& spot, std::int16_t Mode_Tri);

// A station spotted again on its frequency is no news: the key of a shown
// spot is its call and frequency columns.
QString listedKey(const Spot& spot);
