#include "SpotRefresh.h"
#include "Clock.h"
#include "Fixtures.h"
#include "HttpClient.h"
#include "MessageBox.h"
#include "SortedSpotLines.h"
#include "SoundPlayer.h"
#include "SpotView.h"

namespace {

const QString NoAnswer = QStringLiteral("Pas de reponse du site vérifiez votre liaison internet\r\n"
                                        "            Appuyez de nouveau sur Afficher");

// Stand-ins for the site, the clock, the sounds, the messages and the window,
// each keeping what it was asked as plain values.
struct Fakes : HttpClient, Clock, SoundPlayer, MessageBox, SpotView {
    QString get(const QString& address, std::chrono::milliseconds timeLimit) override {
        timeLimits.append(timeLimit);
        QThread::msleep(delayMs);
        return QString::fromLatin1(pages.value(address.section('/', -1)));
    }
    Download download(const QString&, std::size_t, const std::atomic<bool>&) override { return {}; }
    QTime utcTimeOfDay() const override { return QTime(9, 5, 7); }
    double monotonicSeconds() const override { return 0.0; }
    void sleepFor(double) override {}
    void play(const QString& wavPath) override { sounds.append(QFileInfo(wavPath).fileName()); }
    void show(const QString& text) override { messages.append(text); }
    void showBusy(bool) override {}
    void stopRefreshTimer() override { timerRunning = false; }
    void startRefreshTimer() override { timerRunning = true; }
    void showUpdateTime(const QString& caption) override { QTR = caption; }
    void clearSpotLines() override { lines.clear(); }
    void showSourceStatus(const QString& text) override { status = text; }
    void appendSpotLines(const QStringList& added) override { lines += added; }
    void updateSpotLines(const QStringList& shown) override { lines = shown; }
    FilterChoices filterChoices() const override { return choices; }

    QMap<QString, QByteArray> pages{
        {"top_50_14_MHz.html", fixturePage(QStringLiteral("spots_columns.html"))},
        {"top_50_7_MHz.html", fixturePage(QStringLiteral("spots_order.html"))}};
    QStringList sounds, messages, lines;
    QString status;
    QString QTR = QStringLiteral("08:59 TU");
    bool timerRunning = true;
    FilterChoices choices;
    QList<std::chrono::milliseconds> timeLimits;
    unsigned long delayMs = 0;
};

} // namespace

class SpotRefreshTest : public ::testing::Test {
protected:
    void refresh(std::int16_t band, std::int16_t band2,
                 std::chrono::milliseconds timeLimit = std::chrono::milliseconds(20000)) {
        SpotRefresh(state, sorted, fakes, {fakes, fakes, fakes, fakes},
                    ProgramDirectory(folder.path()), scratch, QStringLiteral("http://site"),
                    timeLimit)
            .Affiche_Bandes(band, band2);
    }
    QStringList dxOfLines() const {
        QStringList dxs;
        for (const QString& line : fakes.lines)
            dxs.append(spotOfLine(line).call);
        return dxs;
    }

    QTemporaryDir folder;
    PageScratchFiles scratch{folder.path(), QString()};
    SharedState state;
    SortedSpotLines sorted;
    Fakes fakes;
};

TEST_F(SpotRefreshTest, TwoBandsShareTheTimeLimitOfOneRefresh) {
    fakes.delayMs = 300;
    refresh(5, 3, std::chrono::milliseconds(1000));
    ASSERT_EQ(fakes.timeLimits.size(), 2);
    EXPECT_EQ(fakes.timeLimits[0], std::chrono::milliseconds(1000));
    EXPECT_LE(fakes.timeLimits[1], std::chrono::milliseconds(700));
    EXPECT_GT(fakes.timeLimits[1], std::chrono::milliseconds(0));

    // The first page used it all: the second counts as no answer, unasked.
    fakes = Fakes();
    fakes.delayMs = 400;
    sorted.clear();
    refresh(5, 3, std::chrono::milliseconds(300));
    EXPECT_EQ(fakes.timeLimits.size(), 1);
    EXPECT_EQ(fakes.messages, QStringList{NoAnswer});
    EXPECT_EQ(fakes.sounds, QStringList{QStringLiteral("ringin.wav")});
    EXPECT_FALSE(fakes.timerRunning);
    EXPECT_EQ(dxOfLines().size(), 0); // cleared for the second band
}

TEST_F(SpotRefreshTest, TwoBandsShowMergedAndAFailedOneSoundsTellsAndStopsTheTimer) {
    struct Case {
        const char* missing;
        std::int16_t band2;
        QStringList dxs;
        const char* QTR;
        bool pageReady, timerRunning;
    };
    // A failure leaves the list and the time as they were; a failed first
    // band still shows the second, a failed second one leaves the list empty.
    const Case cases[] = {
        {"",
         3,
         {"TK5EP", "K3LR", "JA1ABC", "VP2V/DL1ABCD", "ZL1ABC", "F5ABC", "DL1ABC", "9A2AB"},
         "09:05 TU",
         true,
         true},
        {"top_50_14_MHz.html", 0, {"EARLIER"}, "08:59 TU", false, false},
        {"top_50_14_MHz.html", 3, {"K3LR", "ZL1ABC", "DL1ABC", "9A2AB"}, "09:05 TU", true, true},
        {"top_50_7_MHz.html", 3, {}, "09:05 TU", true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.missing + std::to_string(c.band2));
        fakes = Fakes();
        fakes.pages.remove(QString::fromLatin1(c.missing));
        fakes.lines = QStringList{QStringLiteral(" 06 DEC 13:00Z EARLIER")};
        sorted.clear();
        state.Page_Prete = false;
        refresh(5, c.band2);
        const bool failed = *c.missing != '\0';
        EXPECT_EQ(fakes.sounds, failed ? QStringList{QStringLiteral("ringin.wav")} : QStringList{});
        EXPECT_EQ(fakes.messages, failed ? QStringList{NoAnswer} : QStringList{});
        EXPECT_EQ(std::tuple(dxOfLines(), fakes.QTR, state.Page_Prete, fakes.timerRunning),
                  std::tuple(c.dxs, QString::fromLatin1(c.QTR), c.pageReady, c.timerRunning));
    }
}
