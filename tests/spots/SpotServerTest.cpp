#include "BandTable.h"
#include "CurlHttpClient.h"
#include "Fixtures.h"
#include "SpotPageGenerator.h"
#include "SpotRow.h"
#include "SpotServerProcess.h"
#include "SpotTableReader.h"

#include "QtPrinters.h"

#include <QRegularExpression>
#include <array>
#include <gtest/gtest.h>

namespace {

// Each band's frequencies in kHz, by band index 1 to 13.
constexpr std::array<std::pair<double, double>, 14> BandEdges{{
    {0, 0},
    {1810, 2000},
    {3500, 3800},
    {7000, 7200},
    {10100, 10150},
    {14000, 14350},
    {18068, 18168},
    {21000, 21450},
    {24890, 24990},
    {28000, 29700},
    {50000, 52000},
    {70000, 70500},
    {144000, 146000},
    {430000, 440000},
}};

bool inBands(double kHz, int first, int last) {
    for (int band = first; band <= last; ++band) {
        if (kHz >= BandEdges[band].first && kHz <= BandEdges[band].second)
            return true;
    }
    return false;
}

// Decodes a served page and checks every row; returns the row count.
int checkPage(const QByteArray& html, std::int16_t band) {
    SpotTableReader table(storedPage(html));
    SpotRow row;
    int rows = 0;
    const int first = band == 0 ? 1 : band == 14 ? 10 : band;
    const int last = band == 0 ? 9 : band == 14 ? 13 : band;
    const QRegularExpression date(QStringLiteral("^\\d\\d [A-Z][A-Z][A-Z] \\d\\d:\\d\\dZ$"));
    const QRegularExpression qrg(QStringLiteral("^ *\\d+\\.\\d$"));
    while (table.next(row)) {
        ++rows;
        const QString line = spotLine(row);
        SCOPED_TRACE(line.toStdString());
        EXPECT_TRUE(date.match(row.Date).hasMatch());
        EXPECT_TRUE(qrg.match(row.QRG).hasMatch());
        EXPECT_EQ(row.QRG.size(), 8);
        EXPECT_TRUE(inBands(row.QRG.trimmed().toDouble(), first, last));
        EXPECT_FALSE(row.DX.trimmed().isEmpty());
        EXPECT_EQ(line.mid(28, 8), row.QRG);
        EXPECT_FALSE(line.contains(QLatin1String("&LT;")));
    }
    return rows;
}

} // namespace

TEST(SpotPageGenerator, EveryBandPageHoldsFiftyWellFormedSpots) {
    const QDateTime now(QDate(2026, 12, 6), QTime(0, 20, 31), Qt::UTC);
    QByteArray all;
    for (std::int16_t band = 0; band < BandTable::Count; ++band) {
        SCOPED_TRACE(band);
        const QByteArray page = SpotPageGenerator::page(band, now);
        EXPECT_FALSE(page.contains('\r'));
        EXPECT_EQ(checkPage(page, band), SpotPageGenerator::RowsPerPage);
        all += page;
    }
    // Remarks with entities and accented letters (ISO-8859-1).
    EXPECT_TRUE(all.contains("&lt;QSL&gt;"));
    EXPECT_TRUE(all.contains("tr\xE8s fort"));
    // Dated at the time of the request, newest first, going back over midnight.
    const QByteArray page = SpotPageGenerator::page(5, now);
    EXPECT_TRUE(page.contains("06 Dec 00:20Z"));
    EXPECT_TRUE(page.contains("05 Dec 23:"));
    EXPECT_LT(page.indexOf("06 Dec 00:20Z"), page.indexOf("05 Dec 23:"));
}

TEST(SpotServer, ServesEveryBandAndNothingElse) {
    SpotServerProcess server;
    const QString site = server.site();
    ASSERT_FALSE(site.isEmpty());

    CurlHttpClient http;
    for (std::int16_t band = 0; band < BandTable::Count; ++band) {
        SCOPED_TRACE(band);
        const QString page = http.get(BandTable::pageAddress(site, band));
        EXPECT_EQ(checkPage(page.toLatin1(), band), SpotPageGenerator::RowsPerPage);
    }
    EXPECT_TRUE(http.get(site + QStringLiteral("/dxc/top_50_11_MHz.html")).isEmpty());
    EXPECT_TRUE(http.get(site + QStringLiteral("/")).isEmpty());
}
