#include "HostPort.h"

#include <gtest/gtest.h>

TEST(HostPort, OneRuleForEveryAddressAndList) {
    const struct {
        const char* text;
        const char* host;
        int port;
    } good[] = {
        {"dxc.example.org:7300", "dxc.example.org", 7300},
        {" 127.0.0.1:4532 ", "127.0.0.1", 4532},
        {"[::1]:7373", "::1", 7373},
        {"my_host:7300", "my_host", 7300}, // a name from /etc/hosts
        {"a:65535", "a", 65535},
    };
    for (const auto& row : good) {
        const std::optional<HostPort> address = HostPort::parse(QString::fromLatin1(row.text));
        ASSERT_TRUE(address) << row.text;
        EXPECT_EQ(address->host, QLatin1String(row.host));
        EXPECT_EQ(address->port, row.port);
    }
    for (const char* wrong : {"dxc.example.org", ":7300", "a.org:0", "a.org:70000", "a:telnet",
                              "a:+23", "a b:23", "telnet://a.org:23", "[zz]:23", "a:000023"})
        EXPECT_FALSE(HostPort::parse(QString::fromLatin1(wrong))) << wrong;

    EXPECT_EQ(HostPort::parse(QStringLiteral("[::1]:7373"))->toString(), "[::1]:7373");
    EXPECT_TRUE(HostPort::parse(QStringLiteral("127.0.0.2:1"))->isLoopback());
    EXPECT_TRUE(HostPort::parse(QStringLiteral("localhost:1"))->isLoopback());
    EXPECT_FALSE(HostPort::parse(QStringLiteral("192.168.1.2:1"))->isLoopback());

    // Lists leave out empty entries.
    EXPECT_EQ(HostPort::parseList(QStringLiteral("a.org:23,"))->size(), 1u);
    EXPECT_EQ(HostPort::parseList(QStringLiteral("a.org:23, b.org:7000,c.org:7373"))->size(), 3u);
    EXPECT_TRUE(HostPort::parseList(QString())->empty());
    EXPECT_FALSE(HostPort::parseList(QStringLiteral("a.org:23,b.org")));
}
