#include "OnDemandParts.h"

#include "PlatformModuleExports.h"

const QString OnDemandHttpClient::ModuleName = QStringLiteral("libpelk_http.so");

OnDemandHttpClient::OnDemandHttpClient(const QString& modulePath) : module_(modulePath) {}

OnDemandHttpClient::~OnDemandHttpClient() = default;

HttpClient* OnDemandHttpClient::client() {
    std::call_once(made_, [this] {
        if (auto* make = module_.function<MakeHttpClient>(MakeHttpClientName))
            client_.reset(make());
    });
    return client_.get();
}

QString OnDemandHttpClient::get(const QString& address, std::chrono::milliseconds timeLimit) {
    HttpClient* http = client();
    return http != nullptr ? http->get(address, timeLimit) : QString();
}

HttpClient::Download OnDemandHttpClient::download(const QString& address, std::size_t maxBytes,
                                                  const std::atomic<bool>& cancelled) {
    HttpClient* http = client();
    return http != nullptr ? http->download(address, maxBytes, cancelled)
                           : Download{{}, module_.problem()};
}

const QString OnDemandSoundPlayer::ModuleName = QStringLiteral("libpelk_sound.so");

OnDemandSoundPlayer::OnDemandSoundPlayer(const QString& modulePath, QString deviceName)
    : module_(modulePath), deviceName_(std::move(deviceName)) {}

OnDemandSoundPlayer::~OnDemandSoundPlayer() = default;

void OnDemandSoundPlayer::play(const QString& wavPath) {
    std::call_once(made_, [this] {
        if (auto* make = module_.function<MakeSoundPlayer>(MakeSoundPlayerName))
            player_.reset(make(deviceName_));
    });
    if (player_)
        player_->play(wavPath);
}
