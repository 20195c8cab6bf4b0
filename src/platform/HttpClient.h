#pragma once

#include <QByteArray>
#include <QString>
#include <atomic>
#include <chrono>
#include <cstddef>

// Fetches one address synchronously. The whole body comes back as text, or an
// empty text when the site did not answer usefully.
class HttpClient {
public:
    virtual ~HttpClient() = default;
    // Gives up, as no answer, once `timeLimit` has passed (or the client's
    // own limit, whichever comes first).
    virtual QString get(const QString& address, std::chrono::milliseconds timeLimit) = 0;
    QString get(const QString& address) { return get(address, std::chrono::milliseconds::max()); }
    // A file fetched whole, as bytes.
    struct Download {
        QByteArray body;
        // Why there is no body, in French; empty when `body` is the answer.
        QString failure;
    };
    // Fetches a file of at most `maxBytes` within the client's own limits,
    // and gives up at once when `cancelled` becomes true.
    virtual Download download(const QString& address, std::size_t maxBytes,
                              const std::atomic<bool>& cancelled) = 0;
    // Why this client cannot fetch anything at all, in French (a part of the
    // program missing); empty when it can.
    virtual QString problem() const { return QString(); }
};
