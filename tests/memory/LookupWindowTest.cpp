// The lookup window: a real browser asking a loopback HTTP server for the
// callsign's page.
#include "DurerurFixture.h"
#include "EmbeddedBrowser.h"
#include "LoopbackHttpServer.h"
#include "MemorySpotLine.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

constexpr int PageWaitMs = 30000;

// The browser engine's helper processes started by this test.
int browserHelpers() {
    const QByteArray self = QByteArray::number(QCoreApplication::applicationPid());
    int helpers = 0;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString& pid : entries) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        // "pid (name) state ppid ...": the name may hold blanks.
        const QByteArray line = stat.readAll();
        const qsizetype open = line.indexOf('(');
        const qsizetype close = line.lastIndexOf(')');
        const QList<QByteArray> fields = line.mid(close + 2).split(' ');
        if (fields.size() > 1 && fields[1] == self &&
            line.mid(open + 1, close - open - 1).startsWith("QtWebEngine"))
            ++helpers;
    }
    return helpers;
}

class LookupWindowTest : public DurerurFixture {
protected:
    LookupWindowTest() { config.setLookupSite(server.baseAddress()); }

    // The page goes before the browser's profile, which ends with the run.
    void TearDown() override {
        closeWindow();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The lookup pages asked for so far.
    QStringList lookups() const {
        QStringList paths = server.requestedPaths();
        paths.removeIf([](const QString& path) { return !path.startsWith(QLatin1String("/db/")); });
        return paths;
    }

    // Waits for the browser to ask for `count` lookup pages in all.
    bool waitForLookups(qsizetype count) {
        return QTest::qWaitFor([&] { return lookups().size() >= count; }, PageWaitMs);
    }

    void quitLookup() {
        ASSERT_NE(window().lookupWindow(), nullptr);
        window().lookupWindow()->Command1->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(window().lookupWindow(), nullptr);
    }

    LoopbackHttpServer server;
};

} // namespace

TEST_F(LookupWindowTest, TheBrowserAsksForTheSelectedCallsign) {
    ASSERT_TRUE(server.listening());
    const std::pair<QString, const char*> cases[] = {
        {memorySpotLine("F5ABC"), "/db/f5abc"},             // upper case, blanks behind
        {memorySpotLine("DL1XYZ/P"), "/db/dl1xyz"},         // a suffix
        {memorySpotLine("EA8/DL1XYZ"), "/db/ea8"},          // a foreign prefix
        {QString(), "/db/"},                                // no spot selected yet
        {memorySpotLine("K1?Q=1#X"), "/db/k1%3Fq%3D1%23x"}, // would start a query and a fragment
        {memorySpotLine("W%41"), "/db/w%2541"},             // would be decoded as "A"
        {memorySpotLine("../X"), "/db/"},                   // would step out of /db/
    };
    qsizetype expected = 0;
    for (const auto& [line, path] : cases) {
        server.setPage(QString::fromLatin1(path),
                       "<html><body>" + line.toUtf8() + "</body></html>");
        state.Ligne_Selection = line;
        window().QRZ->click();
        ASSERT_TRUE(waitForLookups(++expected)) << path;
        EXPECT_EQ(lookups().last(), QString::fromLatin1(path)) << line.toStdString();
        quitLookup();
    }
}

TEST_F(LookupWindowTest, ASecondClickBringsTheOpenPageForward) {
    state.Ligne_Selection = memorySpotLine("F5ABC");
    window().QRZ->click();
    ASSERT_TRUE(waitForLookups(1));
    QRZ_Web* open = window().lookupWindow();
    EXPECT_EQ(open->windowTitle(), config.lookupSiteName());

    state.Ligne_Selection = memorySpotLine("VK2ABC");
    window().QRZ->click();
    EXPECT_EQ(window().lookupWindow(), open);
    QTest::qWait(500);
    EXPECT_EQ(lookups(), QStringList{"/db/f5abc"});
    EXPECT_EQ(open->WebBrowser1->property("url").toUrl().path(), "/db/f5abc");

    // Closed with "Quitter" and opened again, it looks the new spot up.
    quitLookup();
    window().QRZ->click();
    ASSERT_TRUE(waitForLookups(2));
    EXPECT_EQ(lookups().last(), "/db/vk2abc");
}

TEST_F(LookupWindowTest, AMemorisedSpotIsTheOneLookedUp) {
    // The position was never entered: the click on the spot only asks for it,
    // the memorising takes the line.
    ModalCloser closer;
    window().Liste_Stations->addItem(memorySpotLine("3B8CW"));
    window().Liste_Stations->setCurrentRow(0);
    ASSERT_TRUE(state.Ligne_Selection.isEmpty());
    window().Memoriser->click();
    window().QRZ->click();
    ASSERT_TRUE(waitForLookups(1));
    EXPECT_EQ(lookups(), QStringList{"/db/3b8cw"});
    EXPECT_EQ(closer.texts().size(), 1);
}

TEST_F(LookupWindowTest, TheEngineStartsWithTheFirstLookupAndClosesWithTheMainWindow) {
    if (browserHelpers() > 0)
        GTEST_SKIP() << "an earlier test of this process started the browser";
    window().show();
    QTest::qWait(200);
    EXPECT_EQ(browserHelpers(), 0); // the main window starts no browser

    window().QRZ->click();
    ASSERT_TRUE(waitForLookups(1));
    EXPECT_GT(browserHelpers(), 0);

    const QPointer<QRZ_Web> lookup = window().lookupWindow();
    closeWindow();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(lookup.isNull());
}

TEST_F(LookupWindowTest, WithoutTheBrowserModuleThePageIsALink) {
    ASSERT_TRUE(QFile::remove(directory.file(EmbeddedBrowser::ModuleFileName)));
    state.Ligne_Selection = memorySpotLine("F5ABC");
    window().QRZ->click();
    const auto* link = qobject_cast<QLabel*>(window().lookupWindow()->WebBrowser1);
    ASSERT_NE(link, nullptr);
    EXPECT_TRUE(link->text().contains(server.baseAddress() + "/db/f5abc"));
    EXPECT_EQ(browserHelpers(), 0);
    quitLookup();
}
