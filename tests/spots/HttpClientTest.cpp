#include "CurlHttpClient.h"
#include "LoopbackHttpServer.h"

#include "QtPrinters.h"
#include <QElapsedTimer>

#include <gtest/gtest.h>

namespace {

CurlHttpClient::Limits limits(long totalMs, std::size_t maxBytes = 4 * 1024 * 1024) {
    CurlHttpClient::Limits limits;
    limits.connectTimeoutMs = 500;
    limits.totalTimeoutMs = totalMs;
    limits.maxBodyBytes = maxBytes;
    return limits;
}

} // namespace

TEST(CurlHttpClient, DefaultLimits) {
    const CurlHttpClient::Limits defaults;
    EXPECT_EQ(defaults.connectTimeoutMs, 10000);
    EXPECT_EQ(defaults.totalTimeoutMs, 20000);
    EXPECT_EQ(defaults.maxBodyBytes, 4u * 1024 * 1024);
}

TEST(CurlHttpClient, DecodesTheBodyByItsCharset) {
    LoopbackHttpServer server;
    server.setResponse(QStringLiteral("/latin"), {200, "text/html", "tr\xE8s"});
    server.setResponse(QStringLiteral("/utf8"),
                       {200, "text/html; charset=\"UTF-8\"", "tr\xC3\xA8s"});
    server.setResponse(QStringLiteral("/unknown"),
                       {200, "text/html; charset=x-nothing", "tr\xE8s"});
    CurlHttpClient client(limits(2000));
    for (const char* path : {"/latin", "/utf8", "/unknown"})
        EXPECT_EQ(client.get(server.baseAddress() + QLatin1String(path)), QStringLiteral("très"))
            << path;
}

TEST(CurlHttpClient, ErrorStatusesAndEmptyOrOversizedBodiesAreNoAnswer) {
    LoopbackHttpServer server;
    server.setResponse(QStringLiteral("/500"), {500, "text/html", "server error page"});
    server.setResponse(QStringLiteral("/400"), {400, "text/html", "bad request page"});
    server.setResponse(QStringLiteral("/empty"), {200, "text/html", ""});
    server.setResponse(QStringLiteral("/limit"), {200, "text/html", QByteArray(1000, 'a')});
    server.setResponse(QStringLiteral("/over"), {200, "text/html", QByteArray(1001, 'a')});
    CurlHttpClient client(limits(2000, 1000));
    for (const char* path : {"/500", "/400", "/404", "/empty", "/over"})
        EXPECT_TRUE(client.get(server.baseAddress() + QLatin1String(path)).isEmpty()) << path;
    EXPECT_EQ(client.get(server.baseAddress() + QStringLiteral("/limit")).size(), 1000);
}

TEST(CurlHttpClient, RefusedHungUpOrStalledConnectionsEndInTime) {
    CurlHttpClient client(limits(700));
    QElapsedTimer timer;
    timer.start();
    EXPECT_TRUE(
        client.get(QStringLiteral("http://127.0.0.1:%1/").arg(LoopbackHttpServer::closedPort()))
            .isEmpty());

    LoopbackHttpServer server;
    server.setPage(QStringLiteral("/"), "page");
    server.setMode(LoopbackHttpServer::Mode::HangUp);
    EXPECT_TRUE(client.get(server.baseAddress() + QStringLiteral("/")).isEmpty());
    server.setMode(LoopbackHttpServer::Mode::Stall);
    EXPECT_TRUE(client.get(server.baseAddress() + QStringLiteral("/")).isEmpty());
    EXPECT_LT(timer.elapsed(), 3000);

    server.setMode(LoopbackHttpServer::Mode::Serve);
    EXPECT_EQ(client.get(server.baseAddress() + QStringLiteral("/")), QStringLiteral("page"));
    EXPECT_EQ(server.requestedPaths(), (QStringList{"/", "/"}));
}
