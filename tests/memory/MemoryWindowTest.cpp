// The spot memory, its clicks and the lookup of the chosen spot.
#include "BrowserProcess.h"
#include "DurerurFixture.h"
#include "LookupAddress.h"
#include "LoopbackHttpServer.h"
#include "TestSpots.h"

namespace {

// A spot line as the spot list shows it.
QString listLine(const QString& dx, const QString& qrg = QStringLiteral("14025.5")) {
    return spotLine(testSpot(dx, qrg, QStringLiteral("CW 599"), QStringLiteral("DL1XYZ"),
                             QStringLiteral("06-Dec 1405Z")));
}

const QString Vk = listLine("VK2ABC");
const QString W1 = listLine("W1AW/P", "7023.0");

class MemoryWindowTest : public DurerurFixture {
protected:
    MemoryWindowTest() {
        config.setLookupSite(server.baseAddress());
        // A click on a spot shows its details only once the position is known.
        restart({{"Latitude", "48.52N"}, {"Longitude", "2.31E"}});
    }
    // Runs the deletions that closing a window leaves pending.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    // The window goes before the server it uses.
    void TearDown() override { closeWindow(); }

    void memorise(const QString& line) {
        window().Liste_Stations->addItem(line);
        window().Liste_Stations->setCurrentRow(window().Liste_Stations->count() - 1);
        window().Memoriser->click();
    }
    QListWidget* memory() { return window().memoryWindow()->Mem_Dedirad; }
    QStringList memoryLines() { return lineTexts(*memory()); }

    LoopbackHttpServer server;
};

} // namespace

TEST_F(MemoryWindowTest, KeepsLinesWhileHiddenTunesOnAClickDeletesTheChosenOneAndLosesThemOnClose) {
    ModalCloser closer;
    memorise(Vk);
    window().Memoriser->click(); // the same spot twice
    memorise(W1);
    EXPECT_FALSE(window().memoryWindow()->isVisible()); // memorising never shows it
    window().Voir_Mem->click();
    window().memoryWindow()->Retour_CL->click();
    settle();
    EXPECT_FALSE(window().memoryWindow()->isVisible());
    window().Voir_Mem->click();
    EXPECT_EQ(memoryLines(), (QStringList{Vk, Vk, W1}));

    // A click shows the spot, and tunes only with a port.
    window().Pref->clear();
    memory()->setCurrentRow(0);
    EXPECT_EQ(state.Ligne_Selection, Vk);
    EXPECT_TRUE(window().Pref->text().isEmpty());
    window().Mnu_Com[0]->trigger();
    ASSERT_TRUE(serial.isOpen());
    memory()->setCurrentRow(2);
    EXPECT_EQ(window().Pref->text(), "W");
    // FT-847 (the first run's model) on 7023.0 kHz: the frequency block.
    EXPECT_TRUE(pty.readAvailable().contains(QByteArray::fromHex("0070230001")));

    memory()->setCurrentRow(1);
    window().memoryWindow()->Efface_CL->click();
    EXPECT_EQ(memoryLines(), (QStringList{Vk, W1}));
    // The line moving up is not chosen by the deletion: a second press asks for one.
    window().memoryWindow()->Efface_CL->click();
    EXPECT_EQ(memoryLines(), (QStringList{Vk, W1}));
    EXPECT_EQ(closer.texts(), QStringList{"Selectionnez une ligne a effacer"});

    window().memoryWindow()->close(); // from the title bar
    settle();
    EXPECT_EQ(window().memoryWindow(), nullptr);
    window().Voir_Mem->click();
    EXPECT_TRUE(memoryLines().isEmpty());
}

TEST(LookupAddress, TheDxFieldIsOneLowerCasePathSegment) {
    const std::pair<QString, const char*> cases[] = {
        {listLine("VP2V/DL1AB/P"), "vp2v"},                  // the first of two slashes
        {listLine("/P/DL1XYZ"), ""},                         // a slash first: nothing before it
        {QString(), ""},                                     // no spot chosen yet
        {" 06-Dec 1405Z  ABCDEFGHIJKLMNOP", "abcdefghijkl"}, // only the field counts
        {listLine("K1?Q=1#X"), "k1%3Fq%3D1%23x"},            // no query or fragment
        {listLine("W%41"), "w%2541"},                        // not decoded as "A"
        {listLine("F5\u00c9A"), "f5%C3%A9a"},
        {listLine("../X"), ""},
        {listLine("A..B"), "a..b"}, // no step out of /db/
    };
    for (const auto& [line, path] : cases)
        EXPECT_EQ(lookupAddress("https://www.qrz.com", spotOfLine(line).call)
                      .toString(QUrl::FullyEncoded),
                  QStringLiteral("https://www.qrz.com/db/") + path)
            << line.toStdString();
}

TEST_F(MemoryWindowTest, TheBrowserLooksTheSpotUpASecondClickLoadsNothingAndItEndsWithTheWindow) {
    server.setPage("/db/vk2abc", "<html><body>VK2ABC</body></html>");
    QStringList reports;
    // Heard while this test runs only: the window outlives `reports`.
    QObject listening;
    QObject::connect(&window().lookupBrowser(), &BrowserProcess::reported, &listening,
                     [&](const QString& word) { reports.append(word); });
    memorise(Vk);
    window().QRZ->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return reports.contains("loaded"); }, 30000))
        << reports.join(' ').toStdString();
    EXPECT_EQ(server.requestedPaths().filter("/db/"), QStringList{"/db/vk2abc"});
    EXPECT_EQ(window().lookupWindowWithoutBrowser(), nullptr);

    memorise(W1);
    window().QRZ->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return reports.contains("raised"); }, 10000));
    QTest::qWait(300);
    EXPECT_EQ(server.requestedPaths().filter("/db/"), QStringList{"/db/vk2abc"});
    EXPECT_EQ(reports, (QStringList{"shown", "loaded", "raised"}));

    // Offline: a French page naming the site and why, the call in the title.
    window().close();
    ASSERT_FALSE(window().lookupBrowser().running());
    config.setLookupSite(QStringLiteral("http://127.0.0.1:%1").arg(freePort()));
    restart({{"Latitude", "48.52N"}, {"Longitude", "2.31E"}});
    reports.clear();
    QObject::connect(&window().lookupBrowser(), &BrowserProcess::reported, &listening,
                     [&](const QString& word) { reports.append(word); });
    memorise(W1);
    window().QRZ->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return reports.size() >= 2; }, 30000));
    EXPECT_EQ(reports.value(1), "failed\t" + config.lookupSite() +
                                    "/db/w1aw ne peut pas être affiché : connexion refusée");

    const qint64 browser = window().lookupBrowser().processId();
    ASSERT_GT(browser, 0);
    window().close();
    EXPECT_FALSE(window().lookupBrowser().running());
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("/proc/%1").arg(browser)));
}

TEST_F(MemoryWindowTest, TheHeadersWordsStandOverTheirFields) {
    // Fields without blanks of their own, so that each is one run of ink.
    const QString line =
        spotLine(testSpot("VK2ABC", "10368000", "CW599", "DL1XYZ", "06-Dec-1405Z"));
    memorise(line);
    window().Voir_Mem->click();
    Memoire_CL& memory = *window().memoryWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&memory));
    QTest::qWait(50);
    memory.Mem_Dedirad->clearSelection();
    memory.Mem_Dedirad->setCurrentRow(-1);
    EXPECT_EQ(memory.Label3->text(), Memoire_CL::ColumnHeader);

    const QImage image = memory.grab().toImage();
    const QRect header(memory.Label3->mapTo(&memory, QPoint(0, 0)), memory.Label3->size());
    const QRect row = memory.Mem_Dedirad->visualItemRect(memory.Mem_Dedirad->item(0))
                          .translated(memory.Mem_Dedirad->viewport()->mapTo(&memory, QPoint(0, 0)));
    const int gap = memory.Mem_Dedirad->fontMetrics().horizontalAdvance(QLatin1Char(' ')) - 1;
    const std::vector<int> words = inkRunStarts(image, header, gap);
    const std::vector<int> fields = inkRunStarts(image, row.intersected(image.rect()), gap);
    ASSERT_EQ(words.size(), 5u);
    ASSERT_EQ(fields.size(), 5u);
    for (std::size_t i = 0; i < words.size(); ++i)
        EXPECT_NEAR(words[i], fields[i], 2) << "word " << i;
}
