#include "CurlHttpClient.h"

#include <QList>
#include <QStringDecoder>
#include <algorithm>
#include <curl/curl.h>

namespace {

struct Transfer {
    QByteArray body;
    std::size_t maxBytes = 0;
    bool tooLarge = false;
};

std::size_t collect(char* data, std::size_t size, std::size_t count, void* userData) {
    auto* transfer = static_cast<Transfer*>(userData);
    const std::size_t bytes = size * count;
    if (static_cast<std::size_t>(transfer->body.size()) + bytes > transfer->maxBytes) {
        transfer->tooLarge = true;
        return 0; // makes curl stop with a write error
    }
    transfer->body.append(data, static_cast<qsizetype>(bytes));
    return bytes;
}

// curl_global_init is not thread-safe; run it once before the first transfer.
void initialiseCurlOnce() {
    static const bool initialised = [] {
        curl_global_init(CURL_GLOBAL_DEFAULT);
        return true;
    }();
    (void)initialised;
}

QByteArray charsetOf(const QByteArray& contentType) {
    const QList<QByteArray> parts = contentType.split(';');
    for (const QByteArray& part : parts) {
        const QByteArray item = part.trimmed();
        if (item.toLower().startsWith("charset=")) {
            QByteArray name = item.mid(8).trimmed();
            if (name.size() >= 2 && name.startsWith('"') && name.endsWith('"'))
                name = name.mid(1, name.size() - 2);
            return name;
        }
    }
    return QByteArray();
}

} // namespace

CurlHttpClient::CurlHttpClient() : limits_() {}

CurlHttpClient::CurlHttpClient(Limits limits) : limits_(limits) {}

QString CurlHttpClient::get(const QString& address, std::chrono::milliseconds timeLimit) {
    if (timeLimit.count() <= 0)
        return QString();
    const long totalMs =
        static_cast<long>(std::min<long long>(limits_.totalTimeoutMs, timeLimit.count()));
    initialiseCurlOnce();
    CURL* curl = curl_easy_init();
    if (curl == nullptr)
        return QString();

    Transfer transfer;
    transfer.maxBytes = limits_.maxBodyBytes;
    const QByteArray url = address.toUtf8();
    curl_easy_setopt(curl, CURLOPT_URL, url.constData());
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, collect);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, std::min(limits_.connectTimeoutMs, totalMs));
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, totalMs);
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);

    const CURLcode result = curl_easy_perform(curl);
    char* contentType = nullptr;
    curl_easy_getinfo(curl, CURLINFO_CONTENT_TYPE, &contentType);
    const QByteArray type = contentType != nullptr ? QByteArray(contentType) : QByteArray();
    curl_easy_cleanup(curl);

    if (result != CURLE_OK || transfer.tooLarge || transfer.body.isEmpty())
        return QString();
    return decodeBody(transfer.body, type);
}

QString CurlHttpClient::decodeBody(const QByteArray& body, const QByteArray& contentType) {
    const QByteArray charset = charsetOf(contentType);
    if (!charset.isEmpty()) {
        QStringDecoder decoder(charset.constData());
        if (decoder.isValid())
            return decoder.decode(body);
    }
    return QString::fromLatin1(body);
}
