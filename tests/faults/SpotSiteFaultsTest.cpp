// The spot site misbehaving in every way a network and a server can, seen
// through the main window.
#include "DurerurFixture.h"
#include "LoopbackHttpServer.h"
#include "PlayedSound.h"
#include "SpotPages.h"
#include "SpotTexts.h"

#include "../spots/QtPrinters.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTimer>
#include <functional>
#include <optional>

namespace {

const QString Page14 = QStringLiteral("/dxc/top_50_14_MHz.html");
constexpr int Band14 = 5;

// Short enough for a quick test; a stalled site costs the whole total.
CurlHttpClient::Limits quickLimits() {
    CurlHttpClient::Limits limits;
    limits.connectTimeoutMs = 1000;
    limits.totalTimeoutMs = 1500;
    return limits;
}

// Whatever the site does, the window is back within the HTTP limits plus
// the sound and the message; generous against a loaded machine.
constexpr qint64 ReturnBoundMs = 1500 + 5000;

// Newest first, as the site lists them and the date order shows them.
const QList<Spot> GoodSpots{
    {"tk5ep", "14074.0", "06 dec 14:09z", "on4abc", "ft8"},
    {"ja1abc", "14012.5", "06 dec 14:08z", "w1aw", "cq dx"},
    {"f5abc", "14025.0", "06 dec 14:05z", "dl1xyz", "via buro"},
};

QByteArray randomBytes(qsizetype size) {
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator generator(20261206);
    for (char& byte : bytes)
        byte = static_cast<char>(generator.bounded(256));
    return bytes;
}

} // namespace

class SpotSiteFaults : public DurerurFixture {
protected:
    void SetUp() override {
        http = CurlHttpClient(quickLimits());
        site.emplace();
        site->setPage(Page14, spotPage(GoodSpots));
        config.setSpotSite(site->baseAddress());
        window().Bande_CL->setCurrentIndex(Band14);
    }

    // Clicks Afficher with the site as it stands; true when the window came
    // back within the bound.
    bool afficher() {
        QFile::remove(soundCapture());
        QElapsedTimer clock;
        clock.start();
        window().Afficher->click();
        return clock.elapsed() < ReturnBoundMs;
    }

    QByteArray played() const { return capturedSound(soundCapture()); }

    QByteArray noAnswerSound() const { return soundOf(directory.file(SpotTexts::NoAnswerSound)); }

    // A good refresh, then one against the faulty site: the no-answer path,
    // with the previous update time kept.
    void expectNoAnswerAfter(const std::function<void()>& breakSite) {
        ModalCloser closer;
        ASSERT_TRUE(afficher());
        ASSERT_EQ(linesOf(*window().Liste_Stations).size(), GoodSpots.size());
        const QString lastUpdate = window().QTR->text();

        breakSite();
        EXPECT_TRUE(afficher());
        Durerur& w = window();
        EXPECT_EQ(closer.texts(), QStringList{SpotTexts::NoAnswer});
        EXPECT_EQ(played(), noAnswerSound());
        EXPECT_FALSE(w.Timer2->isActive());
        EXPECT_TRUE(w.Afficher->isEnabled());
        EXPECT_TRUE(w.Patientez->isHidden());
        EXPECT_EQ(w.QTR->text(), lastUpdate);
        EXPECT_EQ(w.Liste_Stations->count(), 0);
    }

    // A refresh that got a page: no message, the timer running again.
    void expectShown(const QStringList& lines) {
        ModalCloser closer;
        EXPECT_TRUE(afficher());
        Durerur& w = window();
        EXPECT_EQ(linesOf(*w.Liste_Stations), lines);
        EXPECT_TRUE(closer.texts().isEmpty());
        EXPECT_TRUE(w.Timer2->isActive());
        EXPECT_TRUE(w.Afficher->isEnabled());
        EXPECT_FALSE(w.QTR->text().isEmpty());
        EXPECT_TRUE(state.Page_Prete);
    }

    std::optional<LoopbackHttpServer> site;
};

TEST_F(SpotSiteFaults, AnswersWithoutAUsablePageFollowTheNoAnswerPath) {
    using Mode = LoopbackHttpServer::Mode;
    const QByteArray cutRows = spotPage(GoodSpots).left(spotPage(GoodSpots).indexOf("ja1abc"));
    const QString self = site->baseAddress() + Page14;
    const std::pair<const char*, std::function<void(LoopbackHttpServer&)>> faults[] = {
        {"404", [](LoopbackHttpServer& s) { s.removeResponse(Page14); }},
        {"500",
         [](LoopbackHttpServer& s) {
             s.setResponse(Page14, {500, "text/html", "oops"});
         }},
        {"empty 200",
         [](LoopbackHttpServer& s) {
             s.setResponse(Page14, {200, "text/html", ""});
         }},
        {"redirect loop", [&](LoopbackHttpServer& s) { s.setRedirect(Page14, self.toLatin1()); }},
        {"redirect to a local file",
         [](LoopbackHttpServer& s) { s.setRedirect(Page14, "file:///etc/hostname"); }},
        {"connection lost in a row",
         [&](LoopbackHttpServer& s) { s.setCutShort(Page14, cutRows, cutRows.size() + 4000); }},
        {"10 MiB of random bytes",
         [](LoopbackHttpServer& s) {
             s.setResponse(Page14, {200, "text/html", randomBytes(10 << 20)});
         }},
        {"hang-up", [](LoopbackHttpServer& s) { s.setMode(Mode::HangUp); }},
        {"accepted then silent", [](LoopbackHttpServer& s) { s.setMode(Mode::Stall); }},
    };
    for (const auto& [name, breakSite] : faults) {
        SCOPED_TRACE(name);
        site->setMode(Mode::Serve);
        site->setPage(Page14, spotPage(GoodSpots));
        expectNoAnswerAfter([&] { breakSite(*site); });
    }
}

TEST_F(SpotSiteFaults, ASiteThatGoesDownIsNoAnswerAndTheTimerWaitsForAfficher) {
    expectNoAnswerAfter([this] { site.reset(); });
    // Nothing listens any more: the timer's own tick fails the same way.
    ModalCloser closer;
    window().Timer2_Timer();
    EXPECT_EQ(closer.texts(), QStringList{SpotTexts::NoAnswer});
    EXPECT_FALSE(window().Timer2->isActive());
}

TEST_F(SpotSiteFaults, PagesWithoutUsableRowsShowWhatTheyHold) {
    // No row at all, or no table: an empty list, and the timer goes on.
    site->setPage(Page14, spotPage({}));
    expectShown({});
    site->setPage(Page14, "<html><body><h1>Maintenance</h1></body></html>\n");
    expectShown({});

    // A body that ends inside a row: the complete rows only.
    const QByteArray page = spotPage(GoodSpots);
    site->setPage(Page14, page.left(page.indexOf("f5abc") + 40));
    expectShown(spotLines(GoodSpots.first(2)));

    // Random bytes below the size limit decode to nothing usable.
    site->setPage(Page14, randomBytes(1 << 20));
    ModalCloser closer;
    EXPECT_TRUE(afficher());
    for (const QString& line : linesOf(*window().Liste_Stations))
        EXPECT_TRUE(wellFormed(line)) << line.toStdString();
    EXPECT_TRUE(closer.texts().isEmpty());
    EXPECT_TRUE(window().Timer2->isActive());
}

TEST_F(SpotSiteFaults, FiveThousandRowsAreAllShownInOrder) {
    const QList<Spot> spots = numberedSpots(5000);
    site->setPage(Page14, spotPage(spots));
    ModalCloser closer;
    ASSERT_TRUE(afficher());
    QStringList shown = linesOf(*window().Liste_Stations);
    ASSERT_EQ(shown.size(), 5000);
    EXPECT_TRUE(shown.constFirst().startsWith(QStringLiteral(" 06 DEC 23:59Z")));
    EXPECT_TRUE(shown.constLast().startsWith(QStringLiteral(" 06 DEC 00:00Z")));
    EXPECT_TRUE(closer.texts().isEmpty());

    window().Tri_DX->click();
    shown = linesOf(*window().Liste_Stations);
    // Zero-padded numbers after one letter: the spots are in DX order.
    EXPECT_EQ(shown, spotLines(spots));
}

TEST_F(SpotSiteFaults, AccentsOfAUtf8PageShowInCapitals) {
    const Spot accented{"f5abc", "14025.0", "06 dec 14:05z", "f6xyz", "très fort à 20h, ça passe"};
    site->setResponse(Page14, {200, "text/html; charset=utf-8", spotPage({accented})});
    expectShown({spotLine(accented)});
    EXPECT_TRUE(linesOf(*window().Liste_Stations)
                    .constFirst()
                    .endsWith(QStringLiteral("TRÈS FORT À 20H, ÇA PASSE")));

    // The same page in Latin-1, saying so, shows the same line.
    site->setResponse(Page14, {200, "text/html; charset=ISO-8859-1",
                               QString::fromUtf8(spotPage({accented})).toLatin1()});
    expectShown({spotLine(accented)});
}
