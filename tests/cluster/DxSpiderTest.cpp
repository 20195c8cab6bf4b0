// The spot server against a real DX cluster node: DXSpider, from the peers
// kept beside the project (skipped where they are not). Its spots are read
// back through the spot server's pages with the program's own decoder.
#include "CarteBande.h"
#include "CurlHttpClient.h"
#include "Fixtures.h"
#include "ModalCloser.h"
#include "SpotServerProcess.h"
#include "UserProgram.h"

namespace {

const QString Tarball = QStringLiteral(PELK_SHARED_DIR "/peers/dxspider-e61ab5e.tar.gz");
const QString Page14 = QStringLiteral("/dxc/top_50_14_MHz.html");
constexpr const char* Sysop = "G1TST";

bool run(const QString& program, const QStringList& arguments, const QString& folder = {},
         const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setWorkingDirectory(folder);
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    return process.waitForFinished(60000) && process.exitCode() == 0;
}

// A DXSpider node on a loopback port, in a tree of its own.
class DxSpider {
public:
    // Why it cannot run here; empty when it runs.
    QString start() {
        if (!QFile::exists(Tarball))
            return QStringLiteral("no DXSpider in ../shared/peers");
        if (!run(QStringLiteral("perl"), {"-MMojolicious", "-MJSON::XS", "-MMath::Round",
                                          "-MDate::Parse", "-MData::Structure::Util", "-e1"}))
            return QStringLiteral("DXSpider's Perl modules are not installed");
        if (!run(QStringLiteral("tar"), {"xzf", Tarball, "-C", folder_.path()}))
            return QStringLiteral("cannot unpack DXSpider");
        const QString root = QDir(folder_.path()).filePath(QStringLiteral("dxspider"));
        port_ = freePort();
        QDir(root).mkpath(QStringLiteral("local"));
        QDir(root).mkpath(QStringLiteral("local_data"));
        // Its console port too, so that two nodes can run side by side.
        QByteArray vars = readAll(root + "/perl/DXVars.pm.issue").toUtf8();
        vars.replace("Q1QQQ-2", "GB7TST").replace("\"Q1QQQ\"", "\"G1TST\"");
        vars.replace("\n1;", "\n$clusterport = " + QByteArray::number(freePort()) + ";\n1;");
        if (!vars.contains("GB7TST") || !writeFile(root + "/local/DXVars.pm", vars) ||
            !writeFile(root + "/local/Listeners.pm",
                       "package main;\nuse vars qw(@listen);\n@listen = ([\"127.0.0.1\", " +
                           QByteArray::number(port_) + "],);\n1;\n"))
            return QStringLiteral("cannot write DXSpider's settings");
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DXSPIDER_ROOT"), root);
        if (!run(QStringLiteral("perl"), {"create_sysop.pl"}, root + "/perl", environment))
            return QStringLiteral("create_sysop.pl failed");
        process_.setWorkingDirectory(root + "/perl");
        process_.setProcessEnvironment(environment);
        process_.setStandardOutputFile(QProcess::nullDevice());
        process_.setStandardErrorFile(QProcess::nullDevice());
        process_.start(QStringLiteral("perl"), {"-w", "cluster.pl"});
        if (!QTest::qWaitFor(
                [this] {
                    return LoopbackSocket::connectTo(port_)
                        .readUntil("login:", 1000)
                        .contains("login:");
                },
                30000))
            return QStringLiteral("cluster.pl did not offer a login");
        return QString();
    }
    ~DxSpider() {
        process_.terminate();
        if (!process_.waitForFinished(5000))
            process_.kill();
        process_.waitForFinished(2000);
    }

    QString address() const { return loopbackAddress(port_); }
    quint16 port() const { return port_; }

private:
    QTemporaryDir folder_;
    quint16 port_ = 0;
    QProcess process_;
};

// A user of the node, typing commands.
class NodeUser {
public:
    NodeUser(quint16 port, const QByteArray& call) : socket_(LoopbackSocket::connectTo(port)) {
        socket_.readUntil("login:");
        command(call);
    }
    QByteArray command(const QByteArray& text) {
        socket_.send(text + "\r\n");
        return socket_.readUntil("dxspider >");
    }

private:
    LoopbackSocket socket_;
};

// The spot lines of the 14 MHz page, as the program reads them.
QStringList lines14(const SpotServerProcess& server) {
    return spotLinesOf(storedPage(CurlHttpClient().get(server.site() + Page14).toLatin1()));
}

// Until the node's entry in the spot server's status holds that value.
bool reports(const SpotServerProcess& server, const char* key, const char* value,
             const std::function<void()>& meanwhile = {}) {
    return QTest::qWaitFor(
        [&] {
            if (meanwhile)
                meanwhile();
            const QString json = CurlHttpClient().get(server.site() + QStringLiteral("/status"));
            return QJsonDocument::fromJson(json.toUtf8())[u"nodes"][0][QString::fromLatin1(key)] ==
                   QString::fromUtf8(value);
        },
        15000);
}

} // namespace

class DxSpiderNode : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        node_ = new DxSpider;
        problem_ = node_->start();
        if (problem_.isEmpty())
            NodeUser(node_->port(), Sysop).command("set/register F5POST");
    }
    static void TearDownTestSuite() {
        delete node_;
        node_ = nullptr;
    }
    void SetUp() override {
        if (!problem_.isEmpty())
            GTEST_SKIP() << problem_.toStdString();
    }

    static inline DxSpider* node_ = nullptr;
    static inline QString problem_;
    QTemporaryDir folder;
};

TEST_F(DxSpiderNode, SpotsWithAccentsAndZonesAndTheBacklogReachThePages) {
    // The gateway's own user wants the zones around the time.
    {
        NodeUser gateway(node_->port(), "F4TEST");
        gateway.command("set/dxcq");
        gateway.command("set/dxitu");
    }
    // Spotted before the gateway logs in: it comes with the node's list.
    NodeUser poster(node_->port(), "F5POST");
    poster.command("dx 14025.0 JA1ABC early bird");

    SpotServerProcess server(nodeConfiguration(folder.path(), node_->address(), "F4TEST"));
    ASSERT_FALSE(server.site().isEmpty());
    ASSERT_TRUE(QTest::qWaitFor([&] { return lines14(server).size() == 1; }, 10000));
    EXPECT_TRUE(lines14(server).value(0).endsWith("JA1ABC        14025.0 F5POST      EARLY BIRD"));

    poster.command("dx 14010.0 ZL1ABC 73 de Jos\xC3\xA9");
    poster.command("dx 14020.0 VK2ABC tr\xC3\xA8s fort 5/9");
    ASSERT_TRUE(QTest::qWaitFor([&] { return lines14(server).size() == 3; }, 10000));
    // No zone in the comment; the accented letters in the page's one byte.
    const QStringList lines = lines14(server);
    for (const char* end : {"VK2ABC        14020.0 F5POST      TRÈS FORT 5/9",
                            "ZL1ABC        14010.0 F5POST      73 DE JOSÉ"})
        EXPECT_EQ(lines.filter(QString::fromUtf8(end)).size(), 1) << lines.join('\n').toStdString();
}

TEST_F(DxSpiderNode, LoginsTheNodeRefusesAreReportedNotLooped) {
    // A callsign with "/" is refused.
    SpotServerProcess slash(nodeConfiguration(folder.path(), node_->address(), "F4XYZ/P"));
    ASSERT_TRUE(reports(slash, "state", "refused"));
    EXPECT_TRUE(reports(slash, "trouble", "invalid_callsign"));
    EXPECT_TRUE(reports(slash, "reason", "Sorry F4XYZ/P is an invalid callsign"));

    // A user with a password: asked for it, without one, with a wrong one and
    // with the right one.
    { NodeUser first(node_->port(), "F4PWD"); }
    NodeUser(node_->port(), Sysop).command("set/password F4PWD secret");
    SpotServerProcess without(nodeConfiguration(folder.path(), node_->address(), "F4PWD"));
    ASSERT_TRUE(reports(without, "trouble", "password_wanted"));
    SpotServerProcess wrong(nodeConfiguration(folder.path(), node_->address(), "F4PWD", "wrong"));
    ASSERT_TRUE(reports(wrong, "trouble", "password_refused"));
    SpotServerProcess with(nodeConfiguration(folder.path(), node_->address(), "F4PWD", "secret"));
    NodeUser poster(node_->port(), "F5POST");
    ASSERT_TRUE(
        reports(with, "state", "live", [&] { poster.command("dx 14040.0 EA8ABC pwd ok"); }));

    // The same callsign logged in elsewhere bumps the gateway: said so.
    SpotServerProcess bumped(nodeConfiguration(folder.path(), node_->address(), "F4BMP"));
    QTest::qWait(2000);
    NodeUser logger(node_->port(), "F4BMP");
    ASSERT_TRUE(reports(bumped, "trouble", "bumped"));
}

TEST_F(DxSpiderNode, EachSpotReachesTheListOfTheProgramAsTheUserRunsIt) {
    NodeUser poster(node_->port(), "F5POST");
    UserProgram program(node_->address().toLatin1());
    ModalCloser closer;
    program.show(5); // 14 MHz
    // Before or after its spot server logs in, with the node's list.
    poster.command("dx 14001.0 OH0FIRST first");
    ASSERT_TRUE(QTest::qWaitFor([&] { return program.listed(QStringLiteral("OH0FIRST")); }, 30000));
    // Well before the minute refresh, each one, in the list and on the band
    // map (20 m while no radio says otherwise).
    program.window().Mnu_Carte->trigger();
    const auto mapped = [&](const QByteArray& dx) {
        const std::vector<QToolButton*>& entries =
            program.window().bandMap().window()->Vue_Carte->buttons();
        return std::any_of(entries.begin(), entries.end(), [&](const QToolButton* entry) {
            return entry->accessibleName().contains(QString::fromLatin1(dx));
        });
    };
    for (const QByteArray dx : {"JA1LIV", "ZL2LIV", "VK3LIV"}) {
        poster.command("dx 14023.0 " + dx + " live");
        EXPECT_TRUE(QTest::qWaitFor([&] { return program.listed(QString::fromLatin1(dx)); }, 5000))
            << dx.data();
        EXPECT_TRUE(QTest::qWaitFor([&] { return mapped(dx); }, 2000)) << dx.data();
    }
    EXPECT_TRUE(closer.texts().isEmpty());
}
