// The link to a scripted cluster node on 127.0.0.1: the node's address, and
// new links after longer and longer waits when the node closes or refuses.
#include "ClusterConnection.h"
#include "ScriptedClusterNode.h"

namespace {

using namespace std::chrono_literals;

// The waits of a real link, shortened.
constexpr ClusterTiming Quick{100ms, 400ms, 300ms, 1000ms, 200ms, 500ms};

} // namespace

TEST(ClusterConnection, ANodeThatClosesIsReachedAgainAfterLongerAndLongerWaits) {
    ScriptedClusterNode node;
    ClusterConnection link(*HostPort::parse(node.address()), "F4TEST", {}, Quick);
    link.start();
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

TEST(ClusterConnection, ANodeThatRefusesIsTriedUntilItAnswers) {
    quint16 port = 0;
    {
        const ScriptedClusterNode closed;
        port = closed.port();
    }
    ClusterConnection link(HostPort{QStringLiteral("127.0.0.1"), port}, "F4TEST", {}, Quick);
    link.start();
    QTest::qWait(350); // refused at 0, 100 and 300 ms
    ScriptedClusterNode node(port);
    ASSERT_EQ(node.port(), port);
    node.setGreeting("login: ");
    EXPECT_TRUE(node.waitForReceived("F4TEST\r\n"));
}

TEST(ClusterConnection, AQuietNodeThatAnswersStaysLoggedInAndASilentOneIsLeft) {
    // Silence is met with an empty line after 300 ms; an answer is waited
    // for 200 ms. Fifteen times the silence, shortened, with one login.
    ScriptedClusterNode quiet;
    quiet.setGreeting("login: ");
    quiet.setPromptReply("F4TEST de GB7DXS  7-Dec-2026 1234Z dxspider >\r\n");
    ClusterConnection kept(*HostPort::parse(quiet.address()), "F4TEST", {}, Quick);
    kept.start();
    ASSERT_TRUE(quiet.waitForReceived("F4TEST\r\n"));
    QTest::qWait(15 * 300);
    EXPECT_EQ(quiet.connections(), 1);
    EXPECT_GE(quiet.received().count("\r\n"), 10); // asked, again and again

    ScriptedClusterNode silent;
    silent.setGreeting("login: ");
    ClusterConnection left(*HostPort::parse(silent.address()), "F4TEST", {}, Quick);
    left.start();
    EXPECT_TRUE(silent.waitForConnections(2, 3000));
    EXPECT_EQ(left.status().state, NodeStatus::State::Connecting);
}

// Its report reaches the user through the spot server's status, against DXSpider.
TEST(ClusterConnection, ALoginTheNodeRefusesIsTriedOnlySlowly) {
    ScriptedClusterNode node;
    node.setGreeting("login: ");
    ClusterConnection link(*HostPort::parse(node.address()), "F4XYZ/P", {}, Quick);
    link.start();
    for (int n = 1; n <= 3; ++n) {
        ASSERT_TRUE(node.waitForConnections(n));
        ASSERT_TRUE(node.waitForReceived("F4XYZ/P\r\n"));
        node.send("Sorry F4XYZ/P is an invalid callsign\r\n");
        node.hangUp();
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return link.status().state == NodeStatus::State::Refused; }));
    }
    // Half a second each time, not 100 then 200 ms.
    const std::vector<qint64>& at = node.arrivals();
    EXPECT_GE(at[1] - at[0], 450);
    EXPECT_GE(at[2] - at[1], 450);
}
