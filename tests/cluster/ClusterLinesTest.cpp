// What the spot server makes of a cluster node's bytes: spot lines, telnet
// commands, the login, over-long lines, the pages it keeps, and how those
// pages read back through the program's own decoder.
#include "ClusterSession.h"
#include "Fixtures.h"
#include "LiveSpotPages.h"
#include "ReconnectBackoff.h"
#include "SpotRow.h"
#include "SpotTableReader.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

QStringList spotLinesOf(const QByteArray& html) {
    SpotTableReader table(storedPage(html));
    QStringList lines;
    SpotRow row;
    while (table.next(row))
        lines.append(spotLine(row));
    return lines;
}

QByteArray spotLine(const char* spotter, const char* frequency, const char* dx, const char* time) {
    return QByteArray("DX de ") + spotter + ":  " + frequency + "  " + dx + "   CQ   " + time +
           "Z\r\n";
}

QDateTime utc(int day, int hour, int minute) {
    return QDateTime(QDate(2026, 12, day), QTime(hour, minute), Qt::UTC);
}

} // namespace

TEST(ClusterSpot, SpotLinesOfTheCommonNodesAndNothingElse) {
    struct Case {
        QByteArray line;
        const char *spotter, *frequency, *dx, *comment;
        int minuteOfDay;
    };
    const Case spots[] = {
        {"DX de W3LPL:     14025.0  JA1ABC       CW 599                         1234Z FN20\a\a",
         "W3LPL", "14025.0", "JA1ABC", "CW 599", 12 * 60 + 34},
        {"DX de PA3ABC-#:   7012.5  VP2V/DL1ABC  FT8 -12dB 0000Z", "PA3ABC-#", "7012.5",
         "VP2V/DL1ABC", "FT8 -12dB", 0},
        {"dx de g4xyz: 144300 f5abc tropo <59> & up  2359Z  ", "g4xyz", "144300", "f5abc",
         "tropo <59> & up", 23 * 60 + 59},
        {"DX de K1TTT:     28074.0  PY2ABC                                       1200Z", "K1TTT",
         "28074.0", "PY2ABC", "", 12 * 60},
        // The time is the last one on the line.
        {"DX de N5XYZ: 21074.0 ZS6ABC QSX 1234Z up 1300Z IO91wm", "N5XYZ", "21074.0", "ZS6ABC",
         "QSX 1234Z up", 13 * 60},
    };
    for (const Case& c : spots) {
        const std::optional<ClusterSpot> spot = parseClusterLine(c.line);
        ASSERT_TRUE(spot) << c.line.constData();
        EXPECT_EQ(spot->spotter, c.spotter);
        EXPECT_EQ(spot->frequency, c.frequency);
        EXPECT_EQ(spot->dx, c.dx);
        EXPECT_EQ(spot->comment, c.comment);
        EXPECT_EQ(spot->minuteOfDay, c.minuteOfDay);
    }

    const QByteArray others[] = {
        "",
        "WWV de W0MU <18>:   SFI=150, A=5, K=1, No Storms -> No Storms",
        "To ALL de F5ABC: hello",
        "DX de W3LPL: abc JA1ABC CW 1234Z",
        "DX de W3LPL: 14025.0 JA1ABC CW",
        "DX de W3LPL: 14025.0 JA1ABC CW 2460Z",
        "DX de W3LPL: 14025.0 JA1ABC CW 1261Z",
        "DX de W3LPL: 0.0 JA1ABC CW 1234Z",
        "DX de : 14025.0 JA1ABC CW 1234Z",
        "DX de W3LPL: 14025.0 JA1ABC tr\xE8s fort 1234Z",
        "DX de W3LPL: 14025.0 JA1ABC CW\x01 1234Z",
        "DX de W3LPL: 14025.0 JA1<B>C CW 1234Z",
    };
    for (const QByteArray& line : others)
        EXPECT_FALSE(parseClusterLine(line)) << line.constData();
}

TEST(ClusterSession, LogsInOnceAtThePromptRefusesTelnetOptionsAndDropsOverlongLines) {
    // Prompts in either case, whole or split, after telnet offers.
    const std::vector<QByteArray> logins[] = {
        {"Welcome\r\nPlease enter your call: "},
        {"\xFF\xFB\x01\xFF\xFD", "\x18lo", "GIN: "},
        {"login:\r\n"},
    };
    for (const std::vector<QByteArray>& chunks : logins) {
        ClusterSession session("F4TEST");
        QByteArray reply;
        for (const QByteArray& chunk : chunks)
            reply += session.feed(chunk).reply;
        reply += session.feed("login: ").reply; // asked again: answered once only
        EXPECT_TRUE(reply.endsWith("F4TEST\r\n")) << reply.toHex().constData();
        EXPECT_EQ(reply.count("F4TEST"), 1);
    }
    EXPECT_EQ(ClusterSession("F4TEST").feed("\xFF\xFB\x01\xFF\xFD\x18\xFF\xFC\x03").reply,
              QByteArray("\xFF\xFE\x01\xFF\xFC\x18"));
    EXPECT_TRUE(ClusterSession("").feed("login: ").reply.isEmpty());

    ClusterSession session("F4TEST");
    // Subnegotiations are skipped; lines end with a line feed, with or
    // without a carriage return.
    ClusterSession::Output out = session.feed(
        "\xFF\xFA\x18\x01\xFF\xF0" + spotLine("W3LPL", "14025.0", "JA1ABC", "1234").chopped(2) +
        "\n" + spotLine("K3LR", "7012.5", "ZL1ABC", "1235"));
    ASSERT_EQ(out.spots.size(), 2U);
    EXPECT_EQ(out.spots[0].dx, "JA1ABC");
    EXPECT_EQ(out.lines, 2);

    // A line of 512 bytes is read; one of 513, or of 10 MiB in pieces, is
    // dropped and the next one read.
    const QByteArray spot = spotLine("W3LPL", "14025.0", "JA1ABC", "1234").chopped(2);
    EXPECT_EQ(session.feed(spot.leftJustified(512) + "\n").spots.size(), 1U);
    EXPECT_TRUE(session.feed(spot.leftJustified(513) + "\n").spots.empty());
    const QByteArray noise(64 * 1024, 'x');
    for (int i = 0; i < 160; ++i)
        EXPECT_TRUE(session.feed(i == 0 ? spot + noise : noise).spots.empty());
    out = session.feed("\r\n" + spotLine("F6XYZ", "21074.0", "TK5EP", "1236"));
    ASSERT_EQ(out.spots.size(), 1U);
    EXPECT_EQ(out.spots[0].dx, "TK5EP");
}

TEST(ReconnectBackoff, DoublesToTheLongestAndStartsAgainAfterASpot) {
    ReconnectBackoff backoff(1s, 60s);
    std::vector<std::chrono::milliseconds> waits;
    for (int i = 0; i < 8; ++i)
        waits.push_back(backoff.next());
    EXPECT_EQ(waits, (std::vector<std::chrono::milliseconds>{1s, 2s, 4s, 8s, 16s, 32s, 60s, 60s}));
    backoff.reset();
    EXPECT_EQ(backoff.next(), 1s);
}

TEST(LiveSpotPages, KeepsTheLatestFiftyPerBandAndRangeDatedByArrival) {
    LiveSpotPages pages;
    for (int i = 0; i < 60; ++i)
        pages.add(*parseClusterLine(spotLine("W3LPL", "14025.0",
                                             QByteArray("K" + QByteArray::number(i) + "AB"), "1359")
                                        .chopped(2)),
                  utc(7, 14, 0));
    ASSERT_EQ(pages.rows(5).size(), LiveSpotPages::Kept);
    EXPECT_EQ(pages.rows(5).front().dx, "K59AB");
    EXPECT_EQ(pages.rows(5).back().dx, "K10AB");
    EXPECT_EQ(pages.rows(0).size(), LiveSpotPages::Kept);

    // Bands and ranges; 60 m and 23 cm have no page.
    const std::pair<const char*, std::int16_t> bands[] = {
        {"1840.0", 1},  {"3573.0", 2},  {"7300.0", 3},  {"10136.0", 4},  {"18100.0", 6},
        {"21074", 7},   {"24915.0", 8}, {"28074.0", 9}, {"50313.0", 10}, {"70154.0", 11},
        {"144174", 12}, {"432174", 13}, {"5357.0", -1}, {"1296200", -1},
    };
    for (const auto& [frequency, band] : bands) {
        LiveSpotPages one;
        one.add(*parseClusterLine(spotLine("W3LPL", frequency, "JA1ABC", "1200").chopped(2)),
                utc(7, 12, 0));
        for (std::int16_t page = 0; page < BandTable::Count; ++page) {
            const bool filed = page == band || (band > 0 && page == (band <= 9 ? 0 : 14));
            EXPECT_EQ(one.rows(page).size(), filed ? 1U : 0U) << frequency << " page " << page;
        }
    }

    // The node gives the time of day only.
    const std::tuple<QDateTime, const char*, const char*> dates[] = {
        {utc(7, 0, 2), "2359", "06 Dec 23:59Z"},
        {utc(7, 14, 0), "1403", "07 Dec 14:03Z"},
        {utc(7, 23, 58), "0001", "08 Dec 00:01Z"},
    };
    for (const auto& [received, time, date] : dates) {
        LiveSpotPages one;
        one.add(*parseClusterLine(spotLine("W3LPL", "14025.0", "JA1ABC", time).chopped(2)),
                received);
        EXPECT_EQ(one.rows(5).front().date, date);
    }
}

TEST(LiveSpotPages, PagesReadBackThroughTheProgramsDecoderWithEveryCharacterOfTheComment) {
    LiveSpotPages pages;
    for (const QByteArray& line :
         {QByteArray("DX de PA0ABC-#: 14025.0 JA1ABC CW <599> & \"QSB\" 'up' </td> 1403Z"),
          QByteArray("DX de EA8/G4XYZ/P: 14074.0 VP2V/DL1ABCDEF &nbsp;&lt; 1404Z")})
        pages.add(*parseClusterLine(line), utc(7, 14, 5));
    EXPECT_EQ(spotLinesOf(pages.page(5, utc(7, 14, 5))),
              (QStringList{
                  " 07 DEC 14:04Z VP2V/DL1ABCD  14074.0 EA8/G4XYZ/P &NBSP;&LT;",
                  " 07 DEC 14:03Z JA1ABC        14025.0 PA0ABC-#    CW <599> & \"QSB\" 'UP' </TD>",
              }));
    EXPECT_TRUE(spotLinesOf(LiveSpotPages().page(0, utc(7, 14, 5))).isEmpty());
}
