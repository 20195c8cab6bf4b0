#pragma once

#include "HttpClient.h"
#include "OnDemandModule.h"
#include "SoundPlayer.h"

#include <memory>
#include <mutex>

// The program's HTTP client, in libpelk_http.so beside the program, loaded
// at the first fetch. Without the module every fetch comes back unanswered.
class OnDemandHttpClient : public HttpClient {
public:
    static const QString ModuleName;

    explicit OnDemandHttpClient(const QString& modulePath);
    ~OnDemandHttpClient() override;

    using HttpClient::get;
    QString get(const QString& address, std::chrono::milliseconds timeLimit) override;
    Download download(const QString& address, std::size_t maxBytes,
                      const std::atomic<bool>& cancelled) override;
    QString problem() const override { return module_.problem(); }

private:
    HttpClient* client();

    OnDemandModule module_;
    std::once_flag made_;
    std::unique_ptr<HttpClient> client_;
};

// The program's sound player, in libpelk_sound.so beside the program, loaded
// at the first sound. Without the module nothing is played.
class OnDemandSoundPlayer : public SoundPlayer {
public:
    static const QString ModuleName;

    // deviceName: the ALSA device to play on.
    OnDemandSoundPlayer(const QString& modulePath, QString deviceName);
    ~OnDemandSoundPlayer() override;

    void play(const QString& wavPath) override;

private:
    OnDemandModule module_;
    QString deviceName_;
    std::once_flag made_;
    std::unique_ptr<SoundPlayer> player_;
};
