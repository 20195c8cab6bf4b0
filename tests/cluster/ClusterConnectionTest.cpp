// The link to a scripted cluster node on 127.0.0.1: the login, the spots
// handed on, and new links after the node closes, falls silent or refuses.
#include "ClusterConnection.h"
#include "ScriptedClusterNode.h"

#include <QTcpServer>
#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

// The waits of a real link, shortened.
constexpr ClusterTiming Quick{100ms, 400ms, 300ms, 1000ms};

class ClusterConnectionTest : public ::testing::Test {
protected:
    void connectTo(const ScriptedClusterNode& node, ClusterTiming timing = Quick) {
        link.emplace(*ClusterAddress::parse(node.address()), "F4TEST", timing);
        QObject::connect(&*link, &ClusterConnection::spotReceived,
                         [this](const ClusterSpot& spot) { dxs.append(spot.dx); });
        link->start();
    }

    std::optional<ClusterConnection> link;
    QByteArrayList dxs;
};

} // namespace

TEST(ClusterAddress, HostAndPort) {
    const std::pair<const char*, std::optional<std::pair<const char*, quint16>>> cases[] = {
        {"dxc.example.org:7300", {{"dxc.example.org", 7300}}},
        {" 127.0.0.1 : 23 ", {{"127.0.0.1", 23}}},
        {"[::1]:7373", {{"::1", 7373}}},
        {"dxc.example.org", std::nullopt},
        {":7300", std::nullopt},
        {"dxc.example.org:0", std::nullopt},
        {"dxc.example.org:70000", std::nullopt},
        {"dxc.example.org:telnet", std::nullopt},
    };
    for (const auto& [text, expected] : cases) {
        const std::optional<ClusterAddress> address = ClusterAddress::parse(text);
        ASSERT_EQ(address.has_value(), expected.has_value()) << text;
        if (address) {
            EXPECT_EQ(address->host, expected->first) << text;
            EXPECT_EQ(address->port, expected->second) << text;
        }
    }
}

TEST_F(ClusterConnectionTest, LogsInAndHandsOnTheSpotsAmongGarbage) {
    ScriptedClusterNode node;
    node.setGreeting("\xFF\xFB\x01Welcome to the node\r\nPlease enter your call: ");
    // The 10 MiB line is read in pieces, between which this test's event loop
    // sleeps: more than the shortened stall time.
    ClusterTiming patient = Quick;
    patient.stall = 10s;
    connectTo(node, patient);
    ASSERT_TRUE(node.waitForReceived("F4TEST\r\n"));
    EXPECT_EQ(node.received(), QByteArray("\xFF\xFE\x01"
                                          "F4TEST\r\n"));

    node.send("Hello F4TEST, this is the node\r\n"
              "DX de W3LPL:     14025.0  JA1ABC       CW 599        1234Z FN20\a\r\n"
              "\x01\x02\xFE garbage \xFF\xFF\r\n"
              "DX de F5ABC:  7012.0  F5XYZ  tr\xE8s fort  1235Z\r\n");
    node.send(QByteArray(10 * 1024 * 1024, 'D'));
    node.send("\r\nDX de K3LR:  21074.0  ZL1ABC  FT8  1236Z\r\n");
    EXPECT_TRUE(QTest::qWaitFor([&] { return dxs.size() >= 2; }, 5000));
    QTest::qWait(50);
    EXPECT_EQ(dxs, (QByteArrayList{"JA1ABC", "ZL1ABC"}));
    EXPECT_EQ(node.connections(), 1);
}

TEST_F(ClusterConnectionTest, ANodeThatClosesIsReachedAgainAfterLongerAndLongerWaits) {
    ScriptedClusterNode node;
    connectTo(node);
    for (int n = 1; n <= 4; ++n) {
        ASSERT_TRUE(node.waitForConnections(n));
        node.hangUp();
    }
    // Waits of 100, 200 and 400 ms (timers may fire a little early).
    const std::vector<qint64>& at = node.arrivals();
    EXPECT_GE(at[1] - at[0], 90);
    EXPECT_GE(at[2] - at[1], 180);
    EXPECT_GE(at[3] - at[2], 360);
}

TEST_F(ClusterConnectionTest, ASilentNodeIsLeftAndReachedAgain) {
    ScriptedClusterNode node;
    node.setGreeting("login: ");
    connectTo(node);
    ASSERT_TRUE(node.waitForReceived("F4TEST\r\n"));
    node.send("DX de W3LPL: 14025.0 JA1ABC CW 1234Z\r\n");
    // No line for the stall time: the link is dropped and made again.
    EXPECT_TRUE(node.waitForConnections(2));
    EXPECT_TRUE(node.waitForReceived("F4TEST\r\n"));
    EXPECT_EQ(dxs, QByteArrayList{"JA1ABC"});
}

TEST_F(ClusterConnectionTest, ANodeThatRefusesIsTriedUntilItAnswers) {
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    const quint16 port = probe.serverPort();
    probe.close();

    link.emplace(ClusterAddress{QStringLiteral("127.0.0.1"), port}, "F4TEST", Quick);
    link->start();
    QTest::qWait(350); // refused at 0, 100 and 300 ms
    ScriptedClusterNode node(port);
    ASSERT_EQ(node.port(), port);
    node.setGreeting("login: ");
    EXPECT_TRUE(node.waitForReceived("F4TEST\r\n"));
}
