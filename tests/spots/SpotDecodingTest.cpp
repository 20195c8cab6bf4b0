#include "BandTable.h"
#include "DisplayPass.h"
#include "Fixtures.h"
#include "RemarkEntities.h"
#include "SortedSpotLines.h"
#include "SpotCollection.h"
#include "SpotFilters.h"
#include "SpotPageBuilder.h"
#include "SpotTableReader.h"
#include "TestSpots.h"

#include <thread>

TEST(SpotTableReader, SpotLinesInFixedColumnsAndMalformedRowsDropped) {
    const std::pair<const char*, QStringList> pages[] = {
        // A 5-character DX gets 7 blanks, a 14-character one keeps its first
        // 12; 6-, 7- and 8-character frequencies get 2, 1 and no blank.
        {"spots_columns.html",
         {" 06 DEC 14:05Z F5ABC         14025.0 DL1XYZ      <QSL> VIA BURO",
          " 06 DEC 14:07Z VP2V/DL1ABCD 144300.0 EA8/G4XYZ/P TNX QSO & 73",
          " 06 DEC 14:08Z JA1ABC         7012.5 W1AW        CQ  DX 599 &",
          " 06 DEC 14:09Z TK5EP         21074.0 ON4ABC      "}},
        // Missing closing markers, a negative length and markers out of order
        // drop their rows, as does a QRG that cannot be written in 8 columns;
        // a second table is not read.
        {"spots_faults.html",
         {" 06 DEC 14:01Z G3ABC          3512.0 F6XYZ       FIRST",
          " 06 DEC 14:07Z LZ1ABC         3518.0 F6XYZ       LAST"}},
        {"spots_truncated.html", {" 06 DEC 14:01Z OH2ABC        50313.0 SM5XYZ      FT8"}},
    };
    for (const auto& [name, lines] : pages) {
        const QByteArray page = fixturePage(QString::fromLatin1(name));
        EXPECT_EQ(spotLinesOf(storedPage(page)), lines) << name;
    }

    const QByteArray row = "<tr>\n<td>x</td>\n";
    for (const QByteArray& page : {QByteArray("<html>no spots</html>\n"), QByteArray("<table>\n"),
                                   "<table>\na\nb\nc\nd\ne\nf\ng\n</table>\n" + row, QByteArray()})
        EXPECT_TRUE(spotLinesOf(storedPage(page)).isEmpty()) << page.toStdString();
}

TEST(SpotTableReader, FieldsThatWouldShiftTheColumnsAreBroughtToTheirWidths) {
    struct Case {
        Spot row;
        const char *date, *qrg; // no QRG: dropped
    };
    const Case cases[] = {
        {testSpot("F5ABC", "14025.0", {}, "F6XYZ", "7 dec 03:00z"), "7 DEC 03:00Z", "14025.0"},
        {testSpot("F5ABC", "14025.5", {}, "F6XYZ", "06 dec 03:00zz"), "06 DEC 03:00Z", "14025.5"},
        {testSpot("F5ABC", "144300.0"), "06 DEC 14:05Z", "144300.0"},
        {testSpot("F5ABC", "000014025.0"), "06 DEC 14:05Z", "14025.0"},
        {testSpot("F5ABC", "00007012.5"), "06 DEC 14:05Z", "7012.5"},
        {testSpot("F5ABC", "10489500.0"), "", nullptr},
        {testSpot("F5ABC", "1296100.00"), "", nullptr},
        {testSpot("F5ABC", "14025.0 khz"), "", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row.frequency.toStdString() + " " + c.row.time.toStdString());
        const QStringList lines = spotLinesOf(storedPage(spotPageHtml(spotRowHtml(c.row))));
        if (c.qrg == nullptr) {
            EXPECT_TRUE(lines.isEmpty());
            continue;
        }
        ASSERT_EQ(lines.size(), 1);
        const Spot spot = spotOfLine(lines[0]);
        EXPECT_EQ(std::tuple(spot.time, spot.call, spot.frequency, spot.spotter),
                  std::tuple(c.date, "F5ABC", c.qrg, "F6XYZ"));
    }

    // A remark is cut at 500 characters, entities decoded first.
    const std::pair<QString, QString> remarks[] = {
        {QString("&lt;").repeated(600), QString(500, u'<')},
        {QString(499, u'y') + "&gt;z", QString(499, u'Y') + u'>'},
    };
    for (const auto& [remark, kept] : remarks) {
        const QStringList lines = spotLinesOf(
            storedPage(spotPageHtml(spotRowHtml(testSpot("f5abc", "14025.0", remark)))));
        ASSERT_EQ(lines.size(), 1);
        EXPECT_EQ(spotOfLine(lines[0]).remark, kept);
    }
}

TEST(RemarkEntities, ReferencesDecodeWholeAndAnyOtherAmpersandStays) {
    const std::pair<const char*, const char*> remarks[] = {
        {"&LT;QSL&GT; VIA BURO", "<QSL> VIA BURO"},
        {"R&AMP;R UP&NBSP;2 &QUOT;DX&QUOT; &APOS;", "R&R UP 2 \"DX\" '"},
        {"&lt;qsl&gt; &amp;", "<qsl> &"},
        {"&#65;&#x42;&#X43;&#0067;", "ABCC"},
        {"TR&#232;S &#XE8;", "TR\u00E8S \u00E8"},
        // Unknown names, no semicolon, control characters, surrogates and
        // numbers beyond the last character stay as written.
        {"A&B C; &COPY; &LT &#; &#X; &#1A; &#10; &#XD800; &#X110000; &#123456789;",
         "A&B C; &COPY; &LT &#; &#X; &#1A; &#10; &#XD800; &#X110000; &#123456789;"},
        {"599 &", "599 &"},
        {"&&AMP;;", "&&;"},
    };
    for (const auto& [remark, decoded] : remarks)
        EXPECT_EQ(decodeRemarkEntities(QString::fromLatin1(remark)), QString::fromUtf8(decoded))
            << remark;
    EXPECT_EQ(decodeRemarkEntities(QStringLiteral("&#X1F600; 73")),
              QStringLiteral("\U0001F600 73"));
}

TEST(PageScratchFiles, PagesAreStoredOneBytePerCharacterWithCarriageReturnLineFeeds) {
    const std::pair<QString, QByteArray> pages[] = {
        {QStringLiteral("<TABLE>\nA,B\n\nC"), "<TABLE>\r\nA,B\r\n\r\nC\r\n"},
        // Carriage returns, with or without line feeds, end lines the same.
        {QStringLiteral("<HTML>\r\n<TABLE>\r\n"), "<HTML>\r\n<TABLE>\r\n\r\n"},
        {QStringLiteral("A\rB\r\rC"), "A\r\nB\r\n\r\nC\r\n"},
        {QStringLiteral("TR\u00C8S FORT \u20AC\n"), "TR\xC8S FORT ?\r\n\r\n"},
    };
    QTemporaryDir program;
    PageScratchFiles scratch(program.path(), QString());
    for (const auto& [page, bytes] : pages) {
        EXPECT_EQ(scratch.keep(page), QString::fromLatin1(bytes));
        QFile file(program.filePath("Dedirad1.txt"));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), bytes);
        EXPECT_FALSE(QFile::exists(program.filePath("Temp1.txt")));
    }
    // Two programs in one folder: each keeps its own page while the other
    // rewrites the same files.
    std::atomic<int> wrong{0};
    std::vector<std::thread> copies;
    for (const auto& [page, bytes] : {pages[0], pages[1]}) {
        copies.emplace_back([&, page = page, kept = QString::fromLatin1(bytes)] {
            PageScratchFiles copy(program.path(), QString());
            for (int i = 0; i < 300; ++i)
                wrong += copy.keep(page) != kept;
        });
    }
    for (std::thread& copy : copies)
        copy.join();
    EXPECT_EQ(wrong, 0);
    EXPECT_FALSE(QFile::exists(program.filePath("Temp1.txt")));
    // Letters without a one-byte capital stay as they are, not "?".
    EXPECT_EQ(PageScratchFiles::capitals(QStringLiteral("très <qsl> ÿ µ ß")),
              QStringLiteral("TRÈS <QSL> ÿ µ ß"));
}

TEST(SpotFilters, EachPassingFilterAddsTheLineAndEachAlertIsMetOnce) {
    // Boxes: F French, C callsign, R remark, A alerts.
    struct Case {
        const char *dx, *remark, *boxes, *callsign, *text;
        int additions;
        const char* alerts; // C callsign alert, R remark alert
    };
    const Case cases[] = {
        {"JA1ABC", "", "", "", "", 1, ""},
        {"F5ABC", "", "F", "", "", 1, ""},
        {"EA5/F5ABC", "", "F", "", "", 0, ""},
        // The callsign filter compares in capitals with the padded field.
        {"F5ABC", "", "C", "f5", "", 1, ""},
        {"F5ABC", "", "C", "F5ABC ", "", 1, ""},
        {"F5ABC", "", "C", "", "", 0, ""},
        // The remark filter is case-sensitive and needs a remark.
        {"JA1ABC", "CQ CQ", "R", "", "CQ", 1, ""},
        {"JA1ABC", "CQ CQ", "R", "", "cq", 0, ""},
        {"JA1ABC", "", "R", "", "", 0, ""},
        // Each filter passed adds the line once more.
        {"F5ABC", "CQ", "FCR", "F", "CQ", 3, ""},
        {"TM1X", "", "FCR", "F", "CQ", 1, ""},
        // The callsign alert compares the text as typed, without the blanks.
        {"F5ABC", "", "CA", "F5", "", 1, "C"},
        {"F5ABC", "", "CA", "f5", "", 1, ""},
        {"F5ABC", "", "CA", "F5ABC", "", 1, "C"},
        {"JA1ABC", "", "CA", "", "", 0, ""},
        {"F5ABC", "CQ", "A", "F5", "CQ", 1, ""},
        {"JA1ABC", "IOTA AS-007", "RA", "", "IOTA", 1, "R"},
        {"JA1ABC", "IOTA AS-007", "RA", "", "iota", 0, ""},
        {"JA1ABC", "CQ", "CRA", "JA", "", 2, "CR"},
    };
    for (const Case& c : cases) {
        const QString boxes = QString::fromLatin1(c.boxes);
        FilterChoices choices;
        choices.Check1 = boxes.contains(u'F');
        choices.Check2 = boxes.contains(u'C');
        choices.Check4 = boxes.contains(u'R');
        choices.Check3 = boxes.contains(u'A');
        choices.Indicatif = QString::fromLatin1(c.callsign);
        choices.Remarque = QString::fromLatin1(c.text);
        const SpotVerdict verdict =
            judgeSpot(testSpot(QString::fromLatin1(c.dx), QStringLiteral("14025.0"),
                               QString::fromLatin1(c.remark)),
                      choices);
        const QString alerts =
            QString(verdict.callsignAlert ? "C" : "") + (verdict.remarkAlert ? "R" : "");
        EXPECT_EQ(std::pair(verdict.additions, alerts), std::pair(c.additions, QString(c.alerts)))
            << c.dx << " " << c.boxes << " " << c.callsign;
    }
}

TEST(SpotFilters, FrenchPrefixesAtTheEdgesOfTheirTable) {
    for (const char* french : {"F5ABC", "FO5XY", "TH5A", "TW1A", "HY2A"})
        EXPECT_TRUE(isFrenchStation(QString::fromLatin1(french))) << french;
    for (const char* foreign : {"EA5/F5ABC", "TA1A", "HV0A", "HZ1A", "T5A", "H"})
        EXPECT_FALSE(isFrenchStation(QString::fromLatin1(foreign))) << foreign;
}

TEST(BandTable, TheEdgesOfTheBandIndexes) {
    const std::pair<std::int16_t, const char*> pages[] = {
        {0, "/dxc/top_50_HF.html"},      {1, "/dxc/top_50_1.8_MHz.html"},
        {2, "/dxc/top_50_3.5_MHz.html"}, {13, "/dxc/top_50_430_MHz.html"},
        {14, "/dxc/top_50_VHF.html"},    {-1, "/dxc/top_50__MHz.html"},
        {15, "/dxc/top_50__MHz.html"},
    };
    for (const auto& [index, path] : pages)
        EXPECT_EQ(BandTable::pagePath(index), QLatin1String(path)) << index;

    // The ADIF edges decide the page: 4 m is 70 to 71 MHz; 60 m and 1.25 m
    // are bands of the log without a page.
    const std::pair<double, std::optional<std::int16_t>> frequencies[] = {
        {1799.9, std::nullopt}, {1800, 1},   {2000, 1},   {5357, std::nullopt},
        {69950, std::nullopt},  {70000, 11}, {70900, 11}, {71000.1, std::nullopt},
        {223500, std::nullopt}, {450000, 13}};
    for (const auto& [khz, page] : frequencies)
        EXPECT_EQ(BandTable::pageOfKhz(khz), page) << khz;
    EXPECT_EQ(AmateurBands[std::size_t(amateurBandOfKhz(5357).value())].adifName,
              std::string_view("60m"));
}

TEST(DisplayPass, EachOrderBreaksTiesByTheFieldsThatFollow) {
    // Five spots equal on one field or more; the remark names each.
    const QString page = storedPage(
        spotPageHtml(spotRowHtml(testSpot("ja1abc", "14025.0", "a", "w3lpl", "06 dec 14:05z")) +
                     spotRowHtml(testSpot("dl1abc", "14025.0", "b", "w3lpl", "06 dec 14:05z")) +
                     spotRowHtml(testSpot("ja1abc", "7012.0", "c", "w3lpl", "06 dec 14:05z")) +
                     spotRowHtml(testSpot("ja1abc", "14025.0", "d", "k3lr", "06 dec 14:01z")) +
                     spotRowHtml(testSpot("ja1abc", "14025.0", "e", "k3lr", "06 dec 14:05z"))));
    const std::pair<std::int16_t, const char*> orders[] = {
        {1, "AECBD"}, // date, newest first; then DX, QRG, spotter, all descending
        {2, "BDCEA"}, // DX; then date, QRG, spotter
        {3, "CBDEA"}, // QRG by value; then DX, date, spotter
    };
    for (const auto& [mode, remarks] : orders) {
        SortedSpotLines sorted;
        EXPECT_EQ(collectSpots(page, mode, FilterChoices{}, sorted, [] {}), 5);
        QString shown;
        for (const QString& line : displayPass(sorted, mode))
            shown += spotOfLine(line).remark;
        EXPECT_EQ(shown, QLatin1String(remarks)) << mode;
    }
}
