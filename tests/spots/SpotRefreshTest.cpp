#include "SpotRefresh.h"
#include "CurlHttpClient.h"
#include "Fixtures.h"
#include "LoopbackHttpServer.h"
#include "MessageBox.h"
#include "PageScratchFiles.h"
#include "SortedSpotLines.h"
#include "SoundCapture.h"
#include "SpotTexts.h"
#include "TestDoubles.h"

#include "QtPrinters.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString Page14 = QStringLiteral("/dxc/top_50_14_MHz.html");
const QString Page7 = QStringLiteral("/dxc/top_50_7_MHz.html");

// Records each message with the sounds played before it.
class MessageAfterSounds : public MessageBox {
public:
    explicit MessageAfterSounds(const SoundCapture& sounds) : sounds_(sounds) {}
    void show(const QString& text) override {
        texts.append(text);
        soundsBefore.append(sounds_.files());
    }
    QStringList texts;
    QList<QStringList> soundsBefore;

private:
    const SoundCapture& sounds_;
};

// Short limits, so that a stalled site fails within a second.
CurlHttpClient::Limits quickLimits() {
    CurlHttpClient::Limits limits;
    limits.connectTimeoutMs = 500;
    limits.totalTimeoutMs = 800;
    return limits;
}

} // namespace

class SpotRefreshTest : public ::testing::Test {
protected:
    SpotRefreshTest() {
        for (const QString& sound : {SpotTexts::NoAnswerSound, SpotTexts::AlertSound})
            QFile::copy(QDir(QStringLiteral(PELK_PROGRAM_DIR)).filePath(sound),
                        program.filePath(sound));
        server.setPage(Page14, fixturePage(QStringLiteral("spots_columns.html")));
        server.setPage(Page7, fixturePage(QStringLiteral("spots_order.html")));
        state.Page_Prete = false;
    }

    SpotRefresh refreshFrom(const QString& site) {
        return SpotRefresh(state, Liste_Stations_Bis, view, {http, sounds, messages, clock},
                           ProgramDirectory(program.path()), scratch, site);
    }
    SpotRefresh refresh() { return refreshFrom(server.baseAddress()); }

    QString ringin() const { return program.filePath(SpotTexts::NoAnswerSound); }
    QString ringout() const { return program.filePath(SpotTexts::AlertSound); }

    LoopbackHttpServer server;
    QTemporaryDir program;
    SharedState state;
    SortedSpotLines Liste_Stations_Bis;
    RecordingSpotView view;
    SoundCapture sounds;
    MessageAfterSounds messages{sounds};
    FixedClock clock{QTime(9, 5, 7)};
    CurlHttpClient http{quickLimits()};
    PageScratchFiles scratch{program.path(), QString()};
};

TEST_F(SpotRefreshTest, ARefreshStampsItsTimeAndLeavesThePageInTheScratchFile) {
    refresh().Affiche_Bandes(5, 0);

    EXPECT_EQ(server.requestedPaths(), QStringList{Page14});
    EXPECT_EQ(view.lines.size(), 4);
    EXPECT_EQ(view.QTR, QStringLiteral("09:05 TU"));
    EXPECT_EQ(view.busyChanges, (QList<bool>{true, false}));
    EXPECT_TRUE(view.timerRunning);
    EXPECT_TRUE(state.Page_Prete);
    EXPECT_TRUE(sounds.plays().isEmpty());
    EXPECT_TRUE(messages.texts.isEmpty());

    QFile stored(program.filePath(PageScratchFiles::PageFile));
    ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
    const QByteArray page = stored.readAll();
    EXPECT_TRUE(page.startsWith("<HTML>\r\n<HEAD><TITLE>DX SPOTS, 14 MHZ</TITLE></HEAD>\r\n"));
    EXPECT_TRUE(page.endsWith("</HTML>\r\n\r\n"));
    EXPECT_FALSE(QFile::exists(program.filePath(PageScratchFiles::WorkFile)));
}

TEST_F(SpotRefreshTest, TheSameBandTwiceShowsEachSpotTwice) {
    refresh().Affiche_Bandes(5, 5);
    ASSERT_EQ(view.lines.size(), 8);
    for (int i = 0; i < 8; i += 2)
        EXPECT_EQ(view.lines[i], view.lines[i + 1]);
}

TEST_F(SpotRefreshTest, ASiteThatDoesNotAnswerSoundsAndTellsTheUser) {
    struct Failure {
        const char* what;
        std::function<void(LoopbackHttpServer&)> arrange;
    };
    const std::vector<Failure> failures{
        {"error status",
         [](LoopbackHttpServer& s) {
             s.setResponse(Page14, {500, "text/html", "oops"});
         }},
        {"missing page", [](LoopbackHttpServer& s) { s.removeResponse(Page14); }},
        {"empty page", [](LoopbackHttpServer& s) { s.setPage(Page14, QByteArray()); }},
        {"hang-up", [](LoopbackHttpServer& s) { s.setMode(LoopbackHttpServer::Mode::HangUp); }},
        {"stall", [](LoopbackHttpServer& s) { s.setMode(LoopbackHttpServer::Mode::Stall); }},
    };
    for (const Failure& failure : failures) {
        SCOPED_TRACE(failure.what);
        LoopbackHttpServer site;
        failure.arrange(site);
        view = RecordingSpotView();
        view.QTR = QStringLiteral("08:59 TU");
        view.lines = QStringList{QStringLiteral("earlier spot")};
        sounds.clear();
        messages.texts.clear();
        messages.soundsBefore.clear();
        Liste_Stations_Bis.clear();
        Liste_Stations_Bis.add(QStringLiteral("earlier spot"), QStringLiteral("earlier spot"));

        refreshFrom(site.baseAddress()).Affiche_Dedirad(5);

        ASSERT_EQ(messages.texts, QStringList{SpotTexts::NoAnswer});
        EXPECT_EQ(messages.soundsBefore.front(), QStringList{SpotTexts::NoAnswerSound});
        EXPECT_EQ(sounds.countOf(ringin()), 1);
        EXPECT_FALSE(view.timerRunning);
        EXPECT_EQ(view.busyChanges, (QList<bool>{true, false}));
        EXPECT_EQ(view.QTR, QStringLiteral("08:59 TU"));
        EXPECT_EQ(view.lines, QStringList{QStringLiteral("earlier spot")});
        EXPECT_EQ(Liste_Stations_Bis.size(), 1u);
        EXPECT_FALSE(state.Page_Prete);
    }
}

TEST_F(SpotRefreshTest, AFailedFirstBandLeavesTheSecondOne) {
    server.removeResponse(Page14);
    refresh().Affiche_Bandes(5, 3);
    EXPECT_EQ(view.lines.size(), 4);
    EXPECT_EQ(view.lines.first().mid(15, 12).trimmed(), QStringLiteral("K3LR"));
    EXPECT_TRUE(view.timerRunning);
    EXPECT_TRUE(state.Page_Prete);
}

TEST_F(SpotRefreshTest, AFailedSecondBandLeavesTheListEmpty) {
    server.removeResponse(Page7);
    refresh().Affiche_Bandes(5, 3);
    EXPECT_TRUE(view.lines.isEmpty());
    EXPECT_FALSE(view.timerRunning);
    EXPECT_EQ(view.QTR, QStringLiteral("09:05 TU"));
    EXPECT_EQ(messages.texts.size(), 1);
}

TEST_F(SpotRefreshTest, EveryMatchingRowSoundsInOrder) {
    view.choices.Check2 = true;
    view.choices.Check3 = true;
    refresh().Affiche_Bandes(5, 0);
    // An empty callsign text sounds for all four rows and shows none.
    EXPECT_EQ(sounds.plays().size(), 4);
    EXPECT_EQ(sounds.countOf(ringout()), 4);
    EXPECT_TRUE(view.lines.isEmpty());

    sounds.clear();
    view.choices.Check4 = true;
    view.choices.Indicatif = QStringLiteral("TK");
    view.choices.Remarque = QStringLiteral("VIA");
    server.removeResponse(Page7);
    refresh().Affiche_Bandes(5, 3);
    // TK5EP and the remark of F5ABC sound, then the second band fails.
    EXPECT_EQ(sounds.files(), (QStringList{SpotTexts::AlertSound, SpotTexts::AlertSound,
                                           SpotTexts::NoAnswerSound}));
    EXPECT_EQ(sounds.countOf(ringout()), 2);
    EXPECT_EQ(sounds.countOf(ringin()), 1);
}

TEST_F(SpotRefreshTest, AccentedRemarksFollowTheDeclaredCharset) {
    const QByteArray row = "<table>\n<caption>a</caption>\n<tr>\n<th>dx</th>\n<th>qrg</th>\n"
                           "<th>date</th>\n<th>spotter</th>\n<th>remarks</th>\n<tr>\n"
                           "<td><a href=\"/dx/f5abc\" target=\"_blank\">f5abc</a></td>\n"
                           "<td align=\"right\">14025.0 &nbsp;</td>\n"
                           "<td align=\"left\"> 06 dec 14:05z&nbsp;</td>\n"
                           "<td><a href=\"/dx/f6xyz\" target=\"_blank\">f6xyz</a></td>\n"
                           "<td align=\"left\"> tr";
    server.setResponse(Page14, {200, "text/html", row + "\xE8s fort</td>\n</tr>\n</table>\n"});
    server.setResponse(
        Page7, {200, "text/html; charset=utf-8", row + "\xC3\xA8s fort</td>\n</tr>\n</table>\n"});
    refresh().Affiche_Bandes(5, 3);
    ASSERT_EQ(view.lines.size(), 2);
    EXPECT_TRUE(view.lines[0].endsWith(QStringLiteral(" TRÈS FORT")));
    EXPECT_EQ(view.lines[0], view.lines[1]);
}

TEST_F(SpotRefreshTest, UnusableScratchFilesEndLikeAPageWithoutSpots) {
    QTemporaryDir temp;
    QFile blocker(temp.filePath(QStringLiteral("plain-file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    PageScratchFiles unusable(temp.filePath(QStringLiteral("plain-file/a")),
                              temp.filePath(QStringLiteral("plain-file/b")));
    SpotRefresh refresh(state, Liste_Stations_Bis, view, {http, sounds, messages, clock},
                        ProgramDirectory(program.path()), unusable, server.baseAddress());
    refresh.Affiche_Bandes(5, 0);
    EXPECT_TRUE(view.lines.isEmpty());
    EXPECT_TRUE(messages.texts.isEmpty());
    EXPECT_TRUE(view.timerRunning);
    EXPECT_TRUE(state.Page_Prete);
    EXPECT_EQ(view.QTR, QStringLiteral("09:05 TU"));
}
