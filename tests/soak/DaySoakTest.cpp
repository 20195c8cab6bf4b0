// A day of the one-minute timer in accelerated time: two bands refreshed from
// the local spot-page server 1,440 times, two spots clicked after each refresh
// with "Com 1" on a pseudo-terminal, and the process watched for creeping
// memory and leaked descriptors.
#include "DurerurFixture.h"
#include "SimulatedClock.h"
#include "SpotPageGenerator.h"
#include "SpotServerProcess.h"

namespace {

constexpr int RefreshesPerDay = 24 * 60;
constexpr int Spots = 2 * SpotPageGenerator::RowsPerPage;

// Resident memory in KiB and open descriptors.
std::pair<long, qsizetype> resources() {
    const QDir fds(QStringLiteral("/proc/self/fd"));
    return {residentKb(),
            fds.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot).size()};
}

bool wellFormed(const QListWidget& list) {
    static const QRegularExpression line(QStringLiteral(
        "^ \\d\\d [A-Z]{3} \\d\\d:\\d\\dZ [A-Z0-9][A-Z0-9/ ]{11} [ \\d]*\\d\\.\\d "));
    for (int row = 0; row < list.count(); ++row) {
        if (!line.match(list.item(row)->text()).hasMatch())
            return false;
    }
    return list.count() == Spots;
}

} // namespace

class DaySoak : public DurerurFixture {
protected:
    SpotServerProcess server;
    SimulatedClock fastClock;
    ModalCloser closer;
};

TEST_F(DaySoak, ADayOfRefreshesAndClicksKeepsMemoryAndDescriptorsSteady) {
    ASSERT_TRUE(pty.ok());
    ASSERT_FALSE(server.site().isEmpty());
    config.setSpotSite(server.site());
    settings.save(QStringLiteral("Latitude"), QStringLiteral("48.52N"));
    settings.save(QStringLiteral("Longitude"), QStringLiteral("2.31E"));
    // The waits between command blocks pass on this clock without delay.
    Durerur w(state, settings, config, directory,
              Platform{http, serial, sound, messages, fastClock});
    w.show();
    w.Bande_CL->setCurrentIndex(5);
    w.Bande_CL2->setCurrentIndex(3);
    w.Mnu_Com_Click(1);
    w.Afficher->click();

    const QPushButton* sorts[] = {w.Tri_Date, w.Tri_DX, w.Tri_QRG};
    const char* radios[] = {"FT-847", "FT-1000", "IC-706 MKIIG"};
    std::pair<long, qsizetype> warm;
    int badLists = 0;
    qsizetype sent = 0;
    for (int tick = 1; tick <= RefreshesPerDay; ++tick) {
        // Each hour another radio and another order.
        if (tick % 60 == 1) {
            w.Emetteur->setCurrentText(QLatin1String(radios[tick / 60 % 3]));
            const_cast<QPushButton*>(sorts[tick / 60 % 3])->click();
        }
        w.Timer2_Timer();
        badLists += !wellFormed(*w.Liste_Stations) || !w.Timer2->isActive();
        for (const int row : {tick % Spots, (tick * 7 + 50) % Spots})
            w.Liste_Stations->setCurrentRow(row);
        // Read often enough that the terminal's buffer never fills.
        if (tick % 5 == 0)
            sent += pty.readAvailable(0).size();
        if (tick == 50)
            warm = resources();
    }
    const auto [residentKiB, descriptors] = resources();
    RecordProperty("rss_growth_kib", static_cast<int>(residentKiB - warm.first));

    EXPECT_EQ(badLists, 0);
    EXPECT_GT(sent, 0);
    EXPECT_TRUE(closer.texts().isEmpty()) << closer.texts().join(u'\n').toStdString();
    ASSERT_GT(warm.first, 0);
#if !defined(__SANITIZE_ADDRESS__) // its quarantine holds freed blocks
    EXPECT_LT(residentKiB - warm.first, 2 * 1024);
#endif
    EXPECT_EQ(descriptors, warm.second);
    w.close();
}
