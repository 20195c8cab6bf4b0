#include "OnDemandParts.h"

#include "PlatformModuleExports.h"

const QString OnDemandHttpClient::ModuleName = QStringLiteral("libpelk_http.so");

OnDemandHttpClient::OnDemandHttpClient(const QString& modulePath) : module_(modulePath) {}

OnDemandHttpClient::~OnDemandHttpClient() = default;

QString OnDemandHttpClient::get(const QString& address, std::chrono::milliseconds timeLimit) {
    std::call_once(made_, [this] {
        if (auto* make = module_.function<MakeHttpClient>(MakeHttpClientName))
            client_.reset(make());
    });
    return client_ ? client_->get(address, timeLimit) : QString();
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
