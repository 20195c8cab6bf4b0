#include "CurlHttpClient.h"

#include <QList>
#include <QStringDecoder>
#include <QStringView>
#include <algorithm>
#include <array>
#include <curl/curl.h>
#include <utility>

struct CurlHttpClient::Transfer {
    std::size_t maxBytes = 0;
    const std::atomic<bool>* cancelled = nullptr;
    QByteArray body;
    bool tooLarge = false;
    CURLcode result = CURLE_OK;
    long status = 0;
    QByteArray contentType;
};

namespace {

std::size_t collect(char* data, std::size_t size, std::size_t count, void* userData) {
    auto* transfer = static_cast<CurlHttpClient::Transfer*>(userData);
    const std::size_t bytes = size * count;
    if (static_cast<std::size_t>(transfer->body.size()) + bytes > transfer->maxBytes) {
        transfer->tooLarge = true;
        return 0; // makes curl stop with a write error
    }
    transfer->body.append(data, static_cast<qsizetype>(bytes));
    return bytes;
}

// Called by curl about once a second and at every block: a non-zero answer
// ends the transfer.
int progress(void* userData, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    const auto* transfer = static_cast<const CurlHttpClient::Transfer*>(userData);
    return transfer->cancelled != nullptr && transfer->cancelled->load() ? 1 : 0;
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

// Why a transfer failed, in French; libcurl's own texts are English.
constexpr std::array<std::pair<CURLcode, QStringView>, 21> FailureTexts{{
    {CURLE_UNSUPPORTED_PROTOCOL, u"adresse ni http ni https"},
    {CURLE_URL_MALFORMAT, u"adresse mal formée"},
    {CURLE_COULDNT_RESOLVE_PROXY, u"proxy introuvable"},
    {CURLE_COULDNT_RESOLVE_HOST, u"site introuvable"},
    {CURLE_COULDNT_CONNECT, u"connexion refusée"},
    {CURLE_WEIRD_SERVER_REPLY, u"réponse du site illisible"},
    {CURLE_REMOTE_ACCESS_DENIED, u"accès refusé par le site"},
    {CURLE_HTTP2, u"erreur du protocole HTTP/2"},
    {CURLE_HTTP2_STREAM, u"erreur du protocole HTTP/2"},
    {CURLE_PARTIAL_FILE, u"téléchargement interrompu"},
    {CURLE_RECV_ERROR, u"téléchargement interrompu"},
    {CURLE_SEND_ERROR, u"envoi de la demande interrompu"},
    {CURLE_GOT_NOTHING, u"le site n'a rien répondu"},
    {CURLE_TOO_MANY_REDIRECTS, u"trop de redirections"},
    {CURLE_ABORTED_BY_CALLBACK, u"abandonné"},
    {CURLE_OUT_OF_MEMORY, u"mémoire insuffisante"},
    {CURLE_FAILED_INIT, u"libcurl inutilisable"},
    {CURLE_SSL_CONNECT_ERROR, u"échec de la connexion sécurisée"},
    {CURLE_PEER_FAILED_VERIFICATION, u"certificat du site refusé"},
    {CURLE_SSL_CACERT_BADFILE, u"certificats d'autorité illisibles"},
    {CURLE_BAD_CONTENT_ENCODING, u"compression de la réponse illisible"},
}};

QString failureText(CURLcode code) {
    for (const auto& [each, text] : FailureTexts) {
        if (each == code)
            return text.toString();
    }
    return QStringLiteral("erreur du réseau (code curl %1)").arg(int(code));
}

} // namespace

CurlHttpClient::CurlHttpClient() : limits_() {}

CurlHttpClient::CurlHttpClient(Limits limits) : limits_(limits) {}

void CurlHttpClient::perform(const QString& address, long totalMs, Transfer& transfer) const {
    initialiseCurlOnce();
    CURL* curl = curl_easy_init();
    if (curl == nullptr) {
        transfer.result = CURLE_FAILED_INIT;
        return;
    }
    const QByteArray url = address.toUtf8();
    curl_easy_setopt(curl, CURLOPT_URL, url.constData());
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, collect);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, progress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, transfer.cancelled == nullptr ? 1L : 0L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, std::min(limits_.connectTimeoutMs, totalMs));
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, totalMs);
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);

    transfer.result = curl_easy_perform(curl);
    char* contentType = nullptr;
    curl_easy_getinfo(curl, CURLINFO_CONTENT_TYPE, &contentType);
    transfer.contentType = contentType != nullptr ? QByteArray(contentType) : QByteArray();
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &transfer.status);
    curl_easy_cleanup(curl);
}

QString CurlHttpClient::get(const QString& address, std::chrono::milliseconds timeLimit) {
    if (timeLimit.count() <= 0)
        return QString();
    Transfer transfer;
    transfer.maxBytes = limits_.maxBodyBytes;
    perform(address,
            static_cast<long>(std::min<long long>(limits_.totalTimeoutMs, timeLimit.count())),
            transfer);
    if (transfer.result != CURLE_OK || transfer.tooLarge || transfer.body.isEmpty())
        return QString();
    return decodeBody(transfer.body, transfer.contentType);
}

HttpClient::Download CurlHttpClient::download(const QString& address, std::size_t maxBytes,
                                              const std::atomic<bool>& cancelled) {
    Transfer transfer;
    transfer.maxBytes = maxBytes;
    transfer.cancelled = &cancelled;
    perform(address, limits_.totalTimeoutMs, transfer);
    if (transfer.tooLarge)
        return {{}, QStringLiteral("réponse de plus de %1 Mo").arg(maxBytes / (1024 * 1024))};
    switch (transfer.result) {
    case CURLE_OK:
        if (transfer.body.isEmpty())
            return {{}, QStringLiteral("réponse vide")};
        return {transfer.body, {}};
    case CURLE_HTTP_RETURNED_ERROR:
        return {{}, QStringLiteral("le site répond %1").arg(transfer.status)};
    case CURLE_OPERATION_TIMEDOUT:
        return {{}, QStringLiteral("pas de réponse en %1 s").arg(limits_.totalTimeoutMs / 1000.0)};
    default:
        return {{}, failureText(transfer.result)};
    }
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
