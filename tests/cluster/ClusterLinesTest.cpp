// What the spot server makes of a cluster node's bytes: spot lines, telnet
// commands, the login, over-long lines, the pages it keeps, and how those
// pages read back through the program's own decoder.
#include "ClusterSession.h"
#include "Fixtures.h"
#include "LiveSpotPages.h"

namespace {

QByteArray clusterLine(const char* frequency, const char* dx, const char* time,
                       const char* spotter = "W3LPL") {
    return QByteArray("DX de ") + spotter + ":  " + frequency + "  " + dx + "   CQ   " + time + "Z";
}

// Spotter, frequency, DX, time and comment in one text.
QByteArray fieldsOf(const ClusterSpot& spot) {
    const QByteArray time = QByteArray::number(spot.minuteOfDay / 60 * 100 + spot.minuteOfDay % 60);
    return spot.spotter + ' ' + spot.frequency + ' ' + spot.dx + ' ' + time.rightJustified(4, '0') +
           ' ' + spot.comment;
}

QDateTime utc(int day, int hour, int minute) {
    return QDateTime(QDate(2026, 12, day), QTime(hour, minute), Qt::UTC);
}

} // namespace

TEST(ClusterSpot, SpotLinesOfTheCommonNodesAndNothingElse) {
    const std::pair<QByteArray, const char*> spots[] = {
        {"DX de W3LPL:     14025.0  JA1ABC       CW 599                         1234Z FN20\a\a",
         "W3LPL 14025.0 JA1ABC 1234 CW 599"},
        {"dx de pa3abc-#: 144300 vp2v/dl1abc <59> & up  2359Z  ",
         "pa3abc-# 144300.0 vp2v/dl1abc 2359 <59> & up"},
        // Frequencies by value, in the 8 columns of a page.
        {"DX de W3LPL: 000014025.0 JA1ABC CQ 1234Z", "W3LPL 14025.0 JA1ABC 1234 CQ"},
        {"DX de W3LPL: 7012.55 JA1ABC CQ 1234Z", "W3LPL 7012.6 JA1ABC 1234 CQ"},
        // Comments as typed: UTF-8, or Latin-1 when it is not UTF-8.
        {"DX de F6ABC: 14025.0 JA1ABC 73 de Jos\xC3\xA9 1234Z",
         "F6ABC 14025.0 JA1ABC 1234 73 de Jos\xE9"},
        {"DX de F6ABC: 14025.0 JA1ABC tr\xE8s fort 1234Z",
         "F6ABC 14025.0 JA1ABC 1234 tr\xE8s fort"},
        {"DX de F6ABC: 14025.0 JA1ABC \xE2\x82\xAC"
         "100 QSL 1234Z",
         "F6ABC 14025.0 JA1ABC 1234 ?100 QSL"},
        // A user's node settings: zones (set/dxcq, set/dxitu), locators
        // (set/dxgrid), around the time, and AR-Cluster's country after it.
        {"DX de W3LPL:     14025.0  JA1ABC       pref test                   25 0340Z 14\a\a",
         "W3LPL 14025.0 JA1ABC 0340 pref test"},
        {"DX de W3LPL:     14025.0  JA1ABC       up 5                      PM95 0340Z FN20",
         "W3LPL 14025.0 JA1ABC 0340 up 5"},
        {"DX de W3LPL:     14025.0  JA1ABC       up 5                           0340Z MD",
         "W3LPL 14025.0 JA1ABC 0340 up 5"},
        {"DX de K1TTT: 14025.0 JA1ABC CQ 0340Z UNITED STATES", "K1TTT 14025.0 JA1ABC 0340 CQ"},
        // A skimmer of the Reverse Beacon Network.
        {"DX de KM3T-2-#: 14100.0 CS3B CW 24 dB 22 WPM CQ 2259Z",
         "KM3T-2-# 14100.0 CS3B 2259 CW 24 dB 22 WPM CQ"},
        {"DX de K1TTT:     28074.0  PY2ABC                                       0000Z",
         "K1TTT 28074.0 PY2ABC 0000 "},
        // The time is the last one on the line.
        {"DX de N5XYZ: 21074.0 ZS6ABC QSX 1234Z up 1300Z IO91wm",
         "N5XYZ 21074.0 ZS6ABC 1300 QSX 1234Z up"},
    };
    for (const auto& [line, fields] : spots) {
        const std::optional<ClusterSpot> spot = parseClusterLine(line);
        ASSERT_TRUE(spot) << line.constData();
        EXPECT_EQ(fieldsOf(*spot), fields);
    }

    for (const QByteArray& line :
         {QByteArray("WWV de W0MU <18>:   SFI=150, A=5, K=1"), QByteArray("To ALL de F5ABC: hi"),
          clusterLine("abc", "JA1ABC", "1234"), clusterLine("14025.0", "JA1ABC", "2460"),
          clusterLine("14025.0", "JA1ABC", "1261"), clusterLine("0.0", "JA1ABC", "1234"),
          clusterLine("14025.0", "JA1<B>C", "1234"), QByteArray("DX de W3LPL: 14025.0 JA1ABC CW"),
          QByteArray("DX de : 14025.0 JA1ABC CW 1234Z"),
          QByteArray("DX de W3LPL: 1234567890 JA1ABC CQ 1234Z"),
          QByteArray("DX de W3LPL: 14025.0 JA1ABC CW\x01 1234Z")})
        EXPECT_FALSE(parseClusterLine(line)) << line.constData();
}

TEST(ClusterSession, LogsInOnceAtThePromptRefusesTelnetOptionsAndDropsOverlongLines) {
    // Prompts in either case, whole or split, after telnet offers.
    for (const QByteArrayList& chunks : {QByteArrayList{"Welcome\r\nPlease enter your call: "},
                                         QByteArrayList{"\xFF\xFB\x01\xFF\xFD", "\x18lo", "GIN: "},
                                         QByteArrayList{"login:\r\n"}}) {
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

    // Lines ended by a bare carriage return, by CR LF split across reads, or
    // by a line feed alone: one spot each, never glued together.
    ClusterSession lines("F4TEST");
    const QByteArray one = clusterLine("14025.0", "JA1ABC", "1234");
    const ClusterSession::Output first = lines.feed(one + "\r" + one + "\r");
    const ClusterSession::Output second = lines.feed("\n" + one + "\n");
    EXPECT_EQ(first.spots.size() + second.spots.size(), 3U);
    EXPECT_EQ(first.lines + second.lines, 3);
    for (const ClusterSpot& spot : first.spots)
        EXPECT_EQ(spot.comment, "CQ");

    // A subnegotiation is skipped; a line of 512 bytes is read, one of 513
    // or of 10 MiB in pieces is dropped, and the next one read.
    ClusterSession session("F4TEST");
    const QByteArray spot = clusterLine("14025.0", "JA1ABC", "1234");
    EXPECT_EQ(session
                  .feed("\xFF\xFA\x18\x01\xFF\xF0" + spot + "\n" + spot.leftJustified(512) +
                        "\r\n" + spot.leftJustified(513) + "\n")
                  .spots.size(),
              2U);
    const QByteArray noise(64 * 1024, 'x');
    for (int i = 0; i < 160; ++i)
        EXPECT_TRUE(session.feed(i == 0 ? spot + noise : noise).spots.empty());
    const ClusterSession::Output out = session.feed("\r\n" + spot + "\r\n");
    EXPECT_EQ(out.spots.size(), 1U);
    EXPECT_EQ(out.lines, 2);
}

TEST(ClusterSession, PasswordLoginAndTheNodesLastSpots) {
    // No password asked: the first line after the login asks for the backlog.
    ClusterSession plain("F4TEST", "secret");
    EXPECT_EQ(plain.feed("login: ").reply, "F4TEST\r\n");
    EXPECT_EQ(plain.feed("\r\nHello F4TEST, this is DXSPIDER\r\n").reply, "sh/dx 50\r\n");
    EXPECT_EQ(plain.feed("Cluster: 3 nodes\r\n").reply, ""); // asked once

    // Asked: the password, then the backlog.
    ClusterSession guarded("F4TEST", "secret");
    guarded.feed("login: ");
    EXPECT_EQ(guarded.feed("password: ").reply, "secret\r\n");
    EXPECT_EQ(guarded.feed("Hello F4TEST\r\n").reply, "sh/dx 50\r\n");
    // Its blanks as typed; a byte 255 doubled, or telnet would read a command.
    ClusterSession blanks("F4TEST", " p\xFFw ");
    blanks.feed("login: ");
    EXPECT_EQ(blanks.feed("password: ").reply, QByteArray(" p\xFF\xFFw \r\n"));
    // A node that will not have the login is not asked for its spots; what it
    // said reaches the user through the spot server's status.
    ClusterSession refused("F4XYZ/P");
    refused.feed("login: ");
    EXPECT_EQ(refused.feed("Sorry F4XYZ/P is an invalid callsign\r\n").reply, "");
}

TEST(ClusterSpot, TheNodesListOfItsLastSpotsIsReadDated) {
    const std::optional<ClusterSpot> listed = parseListedSpot(
        "  14025.0  JA1ABC       6-Dec-2026 2359Z CW 599 up 2                 <W3LPL>");
    ASSERT_TRUE(listed);
    EXPECT_EQ(std::pair(fieldsOf(*listed), listed->date),
              std::pair(QByteArray("W3LPL 14025.0 JA1ABC 2359 CW 599 up 2"), QDate(2026, 12, 6)));
    EXPECT_FALSE(parseListedSpot("  14025.0  JA1ABC       6-Foo-2026 2359Z CW <W3LPL>"));
    EXPECT_FALSE(parseListedSpot("F4TEST de GB7DXS  7-Dec-2026 1234Z dxspider >"));

    // Listed newest first, they are kept in order of time among live ones.
    LiveSpotPages pages;
    pages.add(*parseClusterLine(clusterLine("14030.0", "K1ABC", "0005")), utc(7, 0, 6));
    for (const char* line : {"14020.0 JA1ABC 7-Dec-2026 0003Z CQ <W3LPL>",
                             "14010.0 ZL1ABC 6-Dec-2026 2358Z CQ <K3LR>"})
        pages.add(*parseListedSpot(line), utc(7, 0, 6));
    QStringList dates;
    for (const Spot& row : pages.rows(5))
        dates.append(row.call + u' ' + row.time);
    EXPECT_EQ(dates,
              (QStringList{"K1ABC 07 Dec 00:05Z", "JA1ABC 07 Dec 00:03Z", "ZL1ABC 06 Dec 23:58Z"}));
    // Listed again at the next login: nothing moves, nothing is replaced.
    pages.add(*parseListedSpot("14020.0 JA1ABC 7-Dec-2026 0003Z again <DL1ABC>"), utc(7, 0, 9));
    ASSERT_EQ(pages.rows(5).size(), 3U);
    EXPECT_EQ(pages.rows(5)[1].spotter, "W3LPL");
}

TEST(LiveSpotPages, KeepTheLatestPerBandDatedByArrivalOneRowPerStationReadBackWhole) {
    LiveSpotPages pages;
    for (int i = 0; i < 60; ++i)
        pages.add(
            *parseClusterLine(clusterLine("14025.0", "K" + QByteArray::number(i) + "AB", "1359")),
            utc(7, 14, 0));
    for (std::int16_t page : {5, 0}) {
        ASSERT_EQ(pages.rows(page).size(), 50U);
        EXPECT_EQ(pages.rows(page).front().call, "K59AB");
        EXPECT_EQ(pages.rows(page).back().call, "K10AB");
    }

    // 2 m goes to its band and to the VHF page; 60 m has no page.
    pages.add(*parseClusterLine(clusterLine("144174", "JA1ABC", "1400")), utc(7, 14, 0));
    pages.add(*parseClusterLine(clusterLine("5357.0", "JA1ABC", "1400")), utc(7, 14, 0));
    EXPECT_EQ(std::pair(pages.rows(12).size(), pages.rows(14).size()), std::pair(1UL, 1UL));
    EXPECT_EQ(pages.rows(0).front().call, "K59AB");

    // The node gives the time of day only.
    const std::tuple<QDateTime, const char*, const char*> dates[] = {
        {utc(7, 0, 2), "2359", "06 Dec 23:59Z"},
        {utc(7, 14, 0), "1403", "07 Dec 14:03Z"},
        {utc(7, 23, 58), "0001", "08 Dec 00:01Z"},
    };
    for (const auto& [received, time, date] : dates) {
        LiveSpotPages one;
        one.add(*parseClusterLine(clusterLine("14025.0", "JA1ABC", time)), received);
        EXPECT_EQ(one.rows(5).front().time, date);
    }

    // A station spotted again nearby within ten minutes replaces its row.
    LiveSpotPages again;
    const auto spot = [&again](const char* spotter, const char* kHz, const char* dx,
                               const char* time) {
        again.add(*parseClusterLine(clusterLine(kHz, dx, time, spotter)), utc(7, 14, 30));
    };
    spot("W3LPL", "14025.0", "JA1ABC", "1400");
    spot("K1TTT", "14025.9", "JA1ABC", "1410");  // the same station: replaces
    spot("F6ABC", "14027.0", "JA1ABC", "1411");  // 1.1 kHz away: another row
    spot("DL1XYZ", "14027.5", "JA1ABC", "1422"); // 11 minutes later: another row
    spot("G4ABC", "14025.5", "JA1XYZ", "1412");  // another station
    spot("W3LPL", "14025.2", "JA1ABC", "1405");  // older than the row it matches: dropped
    QStringList rows;
    for (const Spot& row : again.rows(5))
        rows.append(row.call + u' ' + row.frequency + u' ' + row.spotter);
    // Newest first.
    EXPECT_EQ(rows, (QStringList{"JA1ABC 14027.5 DL1XYZ", "JA1XYZ 14025.5 G4ABC",
                                 "JA1ABC 14027.0 F6ABC", "JA1ABC 14025.9 K1TTT"}));
    EXPECT_EQ(again.rows(0).size(), 4U);

    // Pages read back through the program's decoder with every character of the comment.
    LiveSpotPages read;
    for (const QByteArray& line :
         {QByteArray("DX de PA0ABC-#: 14025.0 JA1ABC CW <599> & \"QSB\" 'up' </td> 1403Z"),
          QByteArray("DX de EA8/G4XYZ/P: 14074.0 VP2V/DL1ABCDEF &nbsp;&lt; 1404Z")})
        read.add(*parseClusterLine(line), utc(7, 14, 5));
    EXPECT_EQ(spotLinesOf(storedPage(read.page(5, utc(7, 14, 5)))),
              (QStringList{
                  " 07 DEC 14:04Z VP2V/DL1ABCD  14074.0 EA8/G4XYZ/P &NBSP;&LT;",
                  " 07 DEC 14:03Z JA1ABC        14025.0 PA0ABC-#    CW <599> & \"QSB\" 'UP' </TD>",
              }));
}
