#pragma once

#include "HttpClient.h"

#include <QByteArray>
#include <cstddef>

// HttpClient over libcurl. Bounded in time and size so that a bad site can
// never hang the program: no connection within 10 s or no complete answer
// within 20 s, an error status, a transport error, an empty body or one over
// 4 MiB all count as no answer.
class CurlHttpClient : public HttpClient {
public:
    struct Limits {
        long connectTimeoutMs = 10000;
        long totalTimeoutMs = 20000;
        std::size_t maxBodyBytes = 4 * 1024 * 1024;
    };

    CurlHttpClient();
    explicit CurlHttpClient(Limits limits);

    using HttpClient::get;
    QString get(const QString& address, std::chrono::milliseconds timeLimit) override;
    Download download(const QString& address, std::size_t maxBytes,
                      const std::atomic<bool>& cancelled) override;

    // Decodes a body by the charset named in a Content-Type header value
    // (ISO-8859-1 when none is named or the name is unknown).
    static QString decodeBody(const QByteArray& body, const QByteArray& contentType);

    // One transfer's state, which curl's callbacks fill.
    struct Transfer;

private:
    // Runs one transfer within the limits, bounded in time by `totalMs`.
    void perform(const QString& address, long totalMs, Transfer& transfer) const;

    Limits limits_;
};
