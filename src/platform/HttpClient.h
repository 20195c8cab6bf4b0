#pragma once

#include <QString>
#include <chrono>

// Fetches one address synchronously. The whole body comes back as text, or an
// empty text when the site did not answer usefully.
class HttpClient {
public:
    virtual ~HttpClient() = default;
    // Gives up, as no answer, once `timeLimit` has passed (or the client's
    // own limit, whichever comes first).
    virtual QString get(const QString& address, std::chrono::milliseconds timeLimit) = 0;
    QString get(const QString& address) { return get(address, std::chrono::milliseconds::max()); }
    // Why this client cannot fetch anything at all, in French (a part of the
    // program missing); empty when it can.
    virtual QString problem() const { return QString(); }
};
