#pragma once

#include <QString>

// Fetches one address synchronously. The whole body comes back as text, or an
// empty text when the site did not answer usefully.
class HttpClient {
public:
    virtual ~HttpClient() = default;
    virtual QString get(const QString& address) = 0;
};
