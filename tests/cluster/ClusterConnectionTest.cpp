// The link to a scripted cluster node on 127.0.0.1: the node's address, and
// new links after longer and longer waits when the node closes or refuses.
#include "ClusterConnection.h"
#include "ScriptedClusterNode.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

// The waits of a real link, shortened.
constexpr ClusterTiming Quick{100ms, 400ms, 300ms, 1000ms};

} // namespace

TEST(ClusterAddress, HostAndPort) {
    const std::optional<ClusterAddress> ipv6 = ClusterAddress::parse(QStringLiteral("[::1]:7373"));
    ASSERT_TRUE(ipv6);
    EXPECT_EQ(std::pair(ipv6->host, ipv6->port), std::pair(QStringLiteral("::1"), quint16(7373)));
    for (const char* wrong :
         {"dxc.example.org", ":7300", "dxc.example.org:0", "dxc.example.org:70000", "a:telnet"})
        EXPECT_FALSE(ClusterAddress::parse(QString::fromLatin1(wrong))) << wrong;
}

TEST(ClusterConnection, ANodeThatClosesIsReachedAgainAfterLongerAndLongerWaits) {
    ScriptedClusterNode node;
    ClusterConnection link(*ClusterAddress::parse(node.address()), "F4TEST", Quick);
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
    ClusterConnection link(ClusterAddress{QStringLiteral("127.0.0.1"), port}, "F4TEST", Quick);
    link.start();
    QTest::qWait(350); // refused at 0, 100 and 300 ms
    ScriptedClusterNode node(port);
    ASSERT_EQ(node.port(), port);
    node.setGreeting("login: ");
    EXPECT_TRUE(node.waitForReceived("F4TEST\r\n"));
}
